#pragma once

#include "printer/outport/address/PrinterIdentity.h"

#include <string>
#include <vector>

// The kinds of device a printer hangs on, in the order they are listed.
enum class DeviceKind { Serial, UsbPrinter, Parallel };

// A device found in the system's device database.
struct DiscoveredDevice {
    DeviceKind kind = DeviceKind::Serial;
    std::string node;        // /dev/ttyUSB0
    std::string uri;         // the name to keep, which survives replugging where it can
    std::string description; // "FTDI FT232R USB UART"
    PrinterIdentity printer; // USB printers: who the printer says it is
};

// Serial lines with hardware behind them, USB printers and parallel ports, in that order, each
// kind in node order. Empty when there is no device database.
std::vector<DiscoveredDevice> DiscoverDevices();

// Only the USB printers, for finding the node of a usb:// name at each send.
std::vector<DiscoveredDevice> DiscoverUsbPrinters();
