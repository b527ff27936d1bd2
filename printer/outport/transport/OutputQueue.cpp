#include "printer/outport/transport/OutputQueue.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace {

constexpr int kDrainPollMs = 1;

// A pause that a cancel request cuts short (ECANCELED).
PortStatus PauseForDrain(const Deadline& deadline) {
    if (deadline.Pause(kDrainPollMs) != 0 && errno != EINTR) {
        return PortStatus::SystemError(errno);
    }
    return PortStatus::Ok();
}

} // namespace

// tcdrain() is not used: with flow control holding the line it can block for ever.
PortStatus WaitForEmptyOutput(int fd, const Deadline& deadline) {
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0) {
            return errno == ENOTTY || errno == EINVAL ? PortStatus::Ok()
                                                      : PortStatus::SystemError(errno);
        }
        if (queued == 0) {
            break;
        }
        if (deadline.Expired()) {
            return PortStatus::SystemError(ETIMEDOUT);
        }
        if (PortStatus paused = PauseForDrain(deadline); !paused.ok()) {
            return paused;
        }
    }
    for (;;) {
        unsigned int status = 0;
        // Drivers without a line status register (USB adapters, ptys, sockets) refuse this;
        // the queue being empty is then all we can know.
        if (ioctl(fd, TIOCSERGETLSR, &status) != 0 || (status & TIOCSER_TEMT) != 0) {
            return PortStatus::Ok();
        }
        if (deadline.Expired()) {
            return PortStatus::SystemError(ETIMEDOUT);
        }
        if (PortStatus paused = PauseForDrain(deadline); !paused.ok()) {
            return paused;
        }
    }
}
