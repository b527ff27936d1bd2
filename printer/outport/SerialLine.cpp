#include "SerialLine.h"

#include "FailureReason.h"
#include "UniqueFd.h"
#include "WriteAll.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <utility>

namespace {

constexpr int kDrainPollMs = 1;

speed_t SpeedFor(int baud) {
    switch (baud) {
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B9600;
    }
}

tcflag_t CharacterSize(int bits) {
    switch (bits) {
    case 5:
        return CS5;
    case 6:
        return CS6;
    case 7:
        return CS7;
    default:
        return CS8;
    }
}

// Every field is set, so nothing a previous user of the port left behind (stop bits, IXANY,
// hang-up on close) can change what reaches the printer.
termios RawTermios(const termios& current, const SerialOptions& options) {
    termios tio = current;
    cfmakeraw(&tio);
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS | HUPCL);
    tio.c_cflag |= CLOCAL | CREAD | CharacterSize(options.bits);
    if (options.stopBits == 2) {
        tio.c_cflag |= CSTOPB;
    }
    if (options.parity != SerialOptions::Parity::None) {
        tio.c_cflag |= PARENB;
    }
    if (options.parity == SerialOptions::Parity::Odd) {
        tio.c_cflag |= PARODD;
    }
    if (options.flow == SerialOptions::Flow::Soft) {
        tio.c_iflag |= IXON | IXOFF;
    }
    if (options.flow == SerialOptions::Flow::Hard) {
        tio.c_cflag |= CRTSCTS;
    }
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    cfsetispeed(&tio, SpeedFor(options.baud));
    cfsetospeed(&tio, SpeedFor(options.baud));
    return tio;
}

// Waits, against the deadline, until the kernel's queue and then the UART's own transmitter are
// empty. tcdrain() is not used: with flow control holding the line it can block for ever.
int Drain(int fd, const Deadline& deadline) {
    for (;;) {
        int queued = 0;
        if (ioctl(fd, TIOCOUTQ, &queued) != 0) {
            return errno == ENOTTY || errno == EINVAL ? 0 : errno;
        }
        if (queued == 0) {
            break;
        }
        if (deadline.Expired()) {
            return ETIMEDOUT;
        }
        if (deadline.Pause(kDrainPollMs) != 0 && errno != EINTR) {
            return errno;
        }
    }
    for (;;) {
        unsigned int status = 0;
        // Drivers without a line status register (USB adapters, ptys) refuse this; the
        // queue being empty is then all we can know.
        if (ioctl(fd, TIOCSERGETLSR, &status) != 0 || (status & TIOCSER_TEMT) != 0) {
            return 0;
        }
        if (deadline.Expired()) {
            return ETIMEDOUT;
        }
        if (deadline.Pause(kDrainPollMs) != 0 && errno != EINTR) {
            return errno;
        }
    }
}

// Bytes still in the output queue never reached the printer.
void DiscountQueued(int fd, const Deadline& deadline) {
    int queued = 0;
    if (ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
        const std::size_t unsent = std::min(static_cast<std::size_t>(queued), deadline.Accepted());
        deadline.SetAccepted(deadline.Accepted() - unsent);
    }
}

int Configure(int fd, const SerialOptions& options) {
    termios current{};
    if (tcgetattr(fd, &current) != 0) {
        return errno;
    }
    const termios wanted = RawTermios(current, options);
    if (tcsetattr(fd, TCSANOW, &wanted) != 0) {
        return errno;
    }
    // tcsetattr succeeds when any part applies; a speed the driver refused would garble
    // everything, so check it.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) {
        return errno;
    }
    return cfgetospeed(&applied) == cfgetospeed(&wanted) ? 0 : EINVAL;
}

// The exclusive hold: flock closes the race between two programs opening the port, TIOCEXCL
// keeps out programs that do not lock. Either refusing means someone else has the port.
int TakeExclusive(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? EBUSY : errno;
    }
    if (ioctl(fd, TIOCEXCL) != 0 && errno != EINVAL && errno != ENOTTY) {
        return errno;
    }
    return 0;
}

// Gives up the TIOCEXCL taken with the lock on every way out, before the descriptor closes: a
// port left exclusive refuses every later open but root's.
class ExclusiveHold {
public:
    explicit ExclusiveHold(int fd) : m_fd(fd) {}
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;
    ~ExclusiveHold() { Release(); }

    void Release() {
        if (m_fd >= 0) {
            ioctl(std::exchange(m_fd, -1), TIOCNXCL);
        }
    }

private:
    int m_fd;
};

} // namespace

PortStatus SendSerial(const std::string& path, const SerialOptions& options,
                      const unsigned char* data, std::size_t size, const Deadline& deadline) {
    const auto fail = [&](int error) {
        return PortStatus::Failed(DescribeFailure(error, DeviceClass::Serial, deadline.Budget()));
    };
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        return fail(errno);
    }
    if (!isatty(fd.get())) {
        return PortStatus::Failed("not a serial line");
    }
    if (const int error = TakeExclusive(fd.get()); error != 0) {
        return fail(error);
    }
    ExclusiveHold exclusive(fd.get());
    int error = Configure(fd.get(), options);
    if (error == EINVAL) {
        return PortStatus::Failed("the line does not support " + std::to_string(options.baud) +
                                  " baud");
    }
    if (error == 0) {
        error = WriteAll(fd.get(), data, size, deadline, false);
    }
    if (error == 0) {
        error = Drain(fd.get(), deadline);
    }
    if (error == ECANCELED) {
        DiscountQueued(fd.get(), deadline);
    }
    if (error != 0) {
        // Drop what is still queued, so a stalled printer does not get the block later and
        // close() does not wait for it.
        tcflush(fd.get(), TCOFLUSH);
    }
    exclusive.Release();
    const int closeError = fd.Close();
    if (error == 0 && closeError != 0 && closeError != EINTR) {
        error = closeError;
    }
    return error == 0 ? PortStatus::Ok() : fail(error);
}
