#pragma once

#include "base/UniqueFd.h"
#include "printer/outport/status/PrinterState.h"

#include <chrono>
#include <string>
#include <sys/stat.h>

// USB printers (/dev/usb/lp*) and parallel ports (/dev/lp*) answer LPGETSTATUS with the port's
// status byte: paper empty (0x20), selected (0x10) and no error (0x08, low when the printer has
// one). No other connection reports anything like it.

// Whether a node is such a device: the parallel port's driver (major 6) or the USB printer
// class (major 180).
bool IsLinePrinter(const struct stat& node);

// The status byte in IPP's words: paper empty is media-empty-error, not selected
// offline-report, the error line other-error. A printer with any of them is stopped, as it
// will not print until someone sees to it; with none it is idle.
PrinterState DecodeLinePrinterStatus(int status);

// Asks an open device for its status once, waiting at most `timeout`: the driver can hold the
// call while another program's write waits on the port. Unknown when the call fails, and
// Unknown with the reason "the printer port did not answer" when it does not return in time.
// Takes the descriptor, which is closed once the driver lets the call go.
PrinterState QueryLinePrinterStatus(UniqueFd device, std::chrono::milliseconds timeout);

// The state of the device at `node`, or the errno of an open that failed.
struct LinePrinterReading {
    PrinterState printer;
    int openError = 0;
};

// Opens the node for writing without waiting and without locking it, so that a program sending
// to the printer keeps it, reads the status once (within `timeout`) and closes it again.
LinePrinterReading ReadLinePrinterStatus(const std::string& node,
                                         std::chrono::milliseconds timeout);

// What is wrong with the printer, as the end of a failed send's reason: "the printer is out of
// paper"; empty when it reports nothing wrong or nothing at all.
std::string PrinterTrouble(const PrinterState& printer);
