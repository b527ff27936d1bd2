#include "printer/outport/discovery/UsbPrinterTarget.h"

#include "printer/outport/discovery/UdevDevices.h"

PortStatus ResolveUsbPrinter(PortTarget& target) {
    // Printers of the same model without a serial number are told apart by nothing: the first
    // in node order is taken.
    for (const DiscoveredDevice& device : DiscoverUsbPrinters()) {
        if (IsWantedPrinter(target.printer, device.printer)) {
            target.path = device.node;
            return PortStatus::Ok();
        }
    }
    const PrinterIdentity& wanted = target.printer;
    return PortStatus::Failed("no USB printer " + wanted.make + " " + wanted.model +
                              (wanted.serial.empty() ? "" : " (serial " + wanted.serial + ")") +
                              " is connected");
}
