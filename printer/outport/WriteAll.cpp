#include "WriteAll.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Some drivers (the parallel port's among them) have no poll and always report the descriptor
// writable; a short pause keeps such a device from turning the wait into a busy loop.
constexpr int kPollSliceMs = 20;
constexpr int kRetryPauseMs = 2;

// A write to a pipe or FIFO whose reader has gone raises SIGPIPE, which would end the whole
// program. The signal is blocked for this thread around the write and, when the write raised it,
// taken before unblocking; the process's own handling of SIGPIPE is never changed.
ssize_t WriteWithoutSigpipe(int fd, const unsigned char* data, std::size_t size) {
    sigset_t sigpipe;
    sigemptyset(&sigpipe);
    sigaddset(&sigpipe, SIGPIPE);
    sigset_t previous;
    pthread_sigmask(SIG_BLOCK, &sigpipe, &previous);
    sigset_t pending;
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;

    const ssize_t written = write(fd, data, size);
    const int error = errno;
    if (written < 0 && error == EPIPE && !alreadyPending) {
        const timespec noWait{0, 0};
        while (sigtimedwait(&sigpipe, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    return written;
}

} // namespace

int WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
             bool socket) {
    bool stalled = false;
    while (size > 0) {
        const ssize_t written =
            socket ? send(fd, data, size, MSG_NOSIGNAL) : WriteWithoutSigpipe(fd, data, size);
        if (written > 0) {
            data += written;
            size -= static_cast<std::size_t>(written);
            deadline.AddAccepted(static_cast<std::size_t>(written));
            stalled = false;
            continue;
        }
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            return errno;
        }
        if (deadline.Expired()) {
            return ETIMEDOUT;
        }
        int ready = stalled ? deadline.Pause(kRetryPauseMs) : 0;
        if (ready == 0) {
            ready = deadline.Wait(fd, POLLOUT, kPollSliceMs);
        }
        if (ready < 0 && errno != EINTR) {
            return errno;
        }
        stalled = ready > 0;
    }
    return 0;
}
