#include "printer/outport/PrinterReport.h"

#include "printer/outport/address/PortConfig.h"
#include "printer/outport/transport/FailureReason.h"

#include <sys/stat.h>

LinePrinterReading PrinterStateOf(const std::string& node, const DeviceAccess& access) {
    struct stat info {};
    if (stat(node.c_str(), &info) != 0 || !IsLinePrinter(info)) {
        return {};
    }
    if (!access.usable) {
        return {{PrinterState::State::Unknown, {}, access.status}, 0};
    }
    LinePrinterReading reading = ReadLinePrinterStatus(node, CallTimeout());
    if (reading.openError != 0) {
        reading.printer.message = DescribeFailure(reading.openError, DeviceClass::Printer, {});
    }
    return reading;
}

std::chrono::milliseconds CallTimeout() {
    std::chrono::milliseconds timeout{};
    LookUpTimeout(timeout);
    return timeout;
}
