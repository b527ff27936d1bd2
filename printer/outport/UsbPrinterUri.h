#pragma once

#include "PrinterIdentity.h"

#include <string>
#include <string_view>

// The name of a USB printer that survives replugging and rebooting, in the form print spoolers
// use: usb://MAKE/MODEL?serial=SERIAL, each part percent-encoded, "?serial=" only when the
// printer has a serial number.
std::string MakeUsbPrinterUri(const PrinterIdentity& printer);

// Parses the text after "usb://". On failure returns false and says why.
bool ParseUsbPrinterUri(std::string_view text, PrinterIdentity& printer, std::string& error);
