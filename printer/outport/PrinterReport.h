#pragma once

// What the discovery API says of a printer, shared by its device lists and its targets.
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/status/LinePrinterStatus.h"
#include "printer/outport/status/PrinterState.h"
#include "printer/outport/transport/DeviceAccess.h"

#include <chrono>
#include <string>

// The strings behind an OutPortPrinterState.
struct PrinterStateText {
    std::string state;
    std::string reasons;
    std::string message;
    std::string words;

    explicit PrinterStateText(const PrinterState& printer = {})
        : state(StateKeyword(printer.state)), reasons(JoinedReasons(printer)),
          message(printer.message), words(DescribePrinterState(printer)) {}

    OutPortPrinterState View() const {
        return {state.c_str(), reasons.c_str(), message.c_str(), words.c_str()};
    }
};

// What a USB printer or parallel port reports. Other nodes report nothing, and one that cannot
// be opened says why its state is unknown and gives the open's errno.
LinePrinterReading PrinterStateOf(const std::string& node, const DeviceAccess& access);

// The call's time-out; a malformed OUTPORT_TIMEOUT_MS leaves the default, which is what a look-up
// can still use.
std::chrono::milliseconds CallTimeout();
