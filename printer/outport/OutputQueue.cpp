#include "OutputQueue.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>

namespace {

constexpr long kDrainPollNs = 1'000'000;

void PauseForDrain() {
    timespec pause{0, kDrainPollNs};
    nanosleep(&pause, nullptr);
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
        PauseForDrain();
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
        PauseForDrain();
    }
}
