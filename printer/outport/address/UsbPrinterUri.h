#pragma once

#include "printer/outport/address/PrinterIdentity.h"
#include "printer/outport/status/PortStatus.h"

#include <string>
#include <string_view>

// The name of a USB printer that survives replugging and rebooting, in the form print spoolers
// use: usb://MAKE/MODEL?serial=SERIAL, each part percent-encoded, "?serial=" only when the
// printer has a serial number.
std::string MakeUsbPrinterUri(const PrinterIdentity& printer);

// Parses the text after "usb://" into `printer`, or says why it names no printer.
PortStatus ParseUsbPrinterUri(std::string_view text, PrinterIdentity& printer);
