#include "printer/outport/transport/WriteAll.h"

#include "base/IoLoops.h"

#include <cerrno>
#include <csignal>
#include <poll.h>
#include <sys/socket.h>

namespace {

// Some drivers (the parallel port's among them) have no poll and always report the descriptor
// writable; a short pause keeps such a device from turning the wait into a busy loop.
constexpr int kPollSliceMs = 20;
constexpr int kRetryPauseMs = 2;

// A write to a pipe or FIFO whose reader has gone raises SIGPIPE, which would end the whole
// program. The signal is blocked for this thread while it lives and, when a write raised it,
// taken before unblocking; the process's own handling of SIGPIPE is never changed.
class SigpipeBlock {
public:
    SigpipeBlock() {
        sigemptyset(&m_sigpipe);
        sigaddset(&m_sigpipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &m_sigpipe, &m_previous);
        sigset_t pending;
        sigpending(&pending);
        m_bAlreadyPending = sigismember(&pending, SIGPIPE) == 1;
    }
    SigpipeBlock(const SigpipeBlock&) = delete;
    SigpipeBlock& operator=(const SigpipeBlock&) = delete;
    ~SigpipeBlock() { pthread_sigmask(SIG_SETMASK, &m_previous, nullptr); }

    void TakeRaisedSignal() {
        if (m_bAlreadyPending) {
            return;
        }
        const timespec noWait{0, 0};
        while (sigtimedwait(&m_sigpipe, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }

private:
    sigset_t m_sigpipe{};
    sigset_t m_previous{};
    bool m_bAlreadyPending = false;
};

} // namespace

PortStatus WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
                    bool socket) {
    // Set when the descriptor was reported writable yet took nothing.
    bool stalled = false;
    const WriteCall write = [&](int to, const unsigned char* bytes, std::size_t count) {
        const ssize_t written =
            socket ? send(to, bytes, count, MSG_NOSIGNAL) : ::write(to, bytes, count);
        if (written > 0) {
            deadline.AddAccepted(static_cast<std::size_t>(written));
            stalled = false;
        }
        return written;
    };
    const RoomWait wait = [&]() {
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
        return 0;
    };
    SigpipeBlock sigpipe;
    const IoOutcome outcome = WriteLoop(fd, data, size, write, wait);
    if (outcome.error == EPIPE && !socket) {
        sigpipe.TakeRaisedSignal();
    }
    return outcome.error == 0 ? PortStatus::Ok() : PortStatus::SystemError(outcome.error);
}
