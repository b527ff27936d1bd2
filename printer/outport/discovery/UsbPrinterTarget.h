#pragma once

#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/status/PortStatus.h"

// Finds the printer-class node of the USB printer a usb:// target names, as connected now, and
// stores it in the target's path. Fails with a reason naming the printer when none matches.
PortStatus ResolveUsbPrinter(PortTarget& target);
