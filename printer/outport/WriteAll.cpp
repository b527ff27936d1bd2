#include "WriteAll.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Some drivers (the parallel port's among them) have no poll and always report the descriptor
// writable; a short pause keeps such a device from turning the wait into a busy loop.
constexpr int kPollSliceMs = 20;
constexpr int kRetryPauseMs = 2;

} // namespace

int WriteAll(int fd, const unsigned char* data, std::size_t size, const Deadline& deadline,
             bool socket) {
    bool stalled = false;
    while (size > 0) {
        const ssize_t written = socket ? send(fd, data, size, MSG_NOSIGNAL) : write(fd, data, size);
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
