#include "printer/outport/CancelToken.h"

#include <cstdint>
#include <new>
#include <sys/eventfd.h>
#include <unistd.h>

// An eventfd that becomes readable, and stays so, once cancellation is requested: every wait
// of the call polls it beside its own descriptor.
struct OutPortCancel {
    int fd;
};

extern "C" OutPortCancel* OutPortCancelCreate(void) {
    const int fd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (fd < 0) {
        return nullptr;
    }
    auto* cancel = new (std::nothrow) OutPortCancel{fd};
    if (cancel == nullptr) {
        close(fd);
    }
    return cancel;
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
