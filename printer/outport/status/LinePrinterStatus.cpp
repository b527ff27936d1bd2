#include "printer/outport/status/LinePrinterStatus.h"

#include "base/UniqueFd.h"

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstddef>
#include <fcntl.h>
#include <linux/lp.h>
#include <memory>
#include <mutex>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <utility>
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

// One status call, shared by the caller and the worker that makes it, which may outlive the
// caller's wait.
struct StatusCall {
    std::mutex lock;
    std::condition_variable answered;
    bool done = false;
    PrinterState printer;
};

PrinterState AskStatus(int fd) {
    int status = 0;
    if (ioctl(fd, LPGETSTATUS, &status) != 0) {
        return {};
    }
    return DecodeLinePrinterStatus(status);
}

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

PrinterState QueryLinePrinterStatus(UniqueFd device, std::chrono::milliseconds timeout) {
    // The worker owns the descriptor, so that a call the driver holds past the wait never
    // reaches a file that later reuses its number.
    const auto call = std::make_shared<StatusCall>();
    std::thread([call, own = std::move(device)] {
        PrinterState printer = AskStatus(own.get());
        const std::lock_guard<std::mutex> hold(call->lock);
        call->printer = std::move(printer);
        call->done = true;
        call->answered.notify_one();
    }).detach();
    std::unique_lock<std::mutex> hold(call->lock);
    if (!call->answered.wait_for(hold, timeout, [&call] { return call->done; })) {
        return {PrinterState::State::Unknown, {}, "the printer port did not answer"};
    }
    return call->printer;
}

LinePrinterReading ReadLinePrinterStatus(const std::string& node,
                                         std::chrono::milliseconds timeout) {
    // Without O_NONBLOCK the parallel driver may refuse the open for a printer out of paper or
    // off line, which is just what is to be read.
    const int fd = open(node.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return {{}, errno};
    }
    return {QueryLinePrinterStatus(UniqueFd(fd), timeout), 0};
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
