#include "printer/outport/status/LinePrinterStatus.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <linux/lp.h>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr unsigned int kParallelMajor = 6;
constexpr unsigned int kUsbPrinterMajor = 180;

// Each reason this status byte can give, with what a failed send says about it.
struct StatusReason {
    const char* keyword;
    const char* trouble;
};
constexpr StatusReason kPaperEmpty{"media-empty-error", "is out of paper"};
constexpr StatusReason kOffline{"offline-report", "is off line"};
constexpr StatusReason kError{"other-error", "reports an error"};
constexpr StatusReason kReasons[] = {kPaperEmpty, kOffline, kError};

} // namespace

bool IsLinePrinter(const struct stat& node) {
    const unsigned int kind = major(node.st_rdev);
    return S_ISCHR(node.st_mode) && (kind == kParallelMajor || kind == kUsbPrinterMajor);
}

PrinterState DecodeLinePrinterStatus(int status) {
    PrinterState printer;
    if ((status & LP_POUTPA) != 0) {
        printer.reasons.emplace_back(kPaperEmpty.keyword);
    }
    if ((status & LP_PSELECD) == 0) {
        printer.reasons.emplace_back(kOffline.keyword);
    }
    if ((status & LP_PERRORP) == 0) {
        printer.reasons.emplace_back(kError.keyword);
    }
    printer.state =
        printer.reasons.empty() ? PrinterState::State::Idle : PrinterState::State::Stopped;
    return printer;
}

PrinterState QueryLinePrinterStatus(int fd) {
    int status = 0;
    if (ioctl(fd, LPGETSTATUS, &status) != 0) {
        return {};
    }
    return DecodeLinePrinterStatus(status);
}

LinePrinterReading ReadLinePrinterStatus(const std::string& node) {
    // Without O_NONBLOCK the parallel driver may refuse the open for a printer out of paper or
    // off line, which is just what is to be read.
    const int fd = open(node.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {{}, errno};
    }
    LinePrinterReading reading{QueryLinePrinterStatus(fd), 0};
    close(fd);
    return reading;
}

std::string PrinterTrouble(const PrinterState& printer) {
    std::vector<std::string_view> troubles;
    for (const StatusReason& reason : kReasons) {
        if (std::find(printer.reasons.begin(), printer.reasons.end(), reason.keyword) !=
            printer.reasons.end()) {
            troubles.emplace_back(reason.trouble);
        }
    }
    std::string sentence;
    for (std::size_t i = 0; i < troubles.size(); ++i) {
        sentence += i == 0 ? "the printer " : i + 1 == troubles.size() ? " and " : ", ";
        sentence += troubles[i];
    }
    return sentence;
}
