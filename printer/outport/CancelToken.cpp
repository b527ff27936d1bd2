#include "printer/outport/CancelToken.h"

#include "printer/outport/OutPortDevices.h"
#include "printer/outport/PrinterReport.h"

#include <cstdint>
#include <new>
#include <optional>
#include <sys/eventfd.h>
#include <unistd.h>

// An eventfd that becomes readable, and stays so, once cancellation is requested: every wait
// of the call polls it beside its own descriptor. A listing's token also carries the one
// deadline all its look-ups share.
struct OutPortCancel {
    int fd;
    std::optional<std::chrono::steady_clock::time_point> end;
};

namespace {

OutPortCancel* NewCancel(std::optional<std::chrono::steady_clock::time_point> end) {
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    auto* cancel = new (std::nothrow) OutPortCancel{fd, end};
    if (cancel == nullptr) {
        close(fd);
    }
    return cancel;
}

} // namespace

extern "C" OutPortCancel* OutPortCancelCreate(void) {
    return NewCancel(std::nullopt);
}

extern "C" OutPortCancel* OutPortListingCancelCreate(void) {
    return NewCancel(std::chrono::steady_clock::now() + CallTimeout());
}

// Only write(), so it may be called from a signal handler.
extern "C" void OutPortCancelRequest(OutPortCancel* cancel) {
    if (cancel == nullptr) {
        return;
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(cancel->fd, &one, sizeof one);
}

extern "C" void OutPortCancelDestroy(OutPortCancel* cancel) {
    if (cancel == nullptr) {
        return;
    }
    close(cancel->fd);
    delete cancel;
}

int CancelDescriptor(const OutPortCancel* cancel) {
    return cancel == nullptr ? -1 : cancel->fd;
}

Deadline LookUpDeadline(const OutPortCancel* cancel) {
    const std::chrono::milliseconds timeout = CallTimeout();
    if (cancel == nullptr || !cancel->end) {
        return Deadline(timeout, CancelDescriptor(cancel));
    }
    return Deadline(timeout, *cancel->end, cancel->fd);
}
