#include "printer/outport/transport/SerialLine.h"

#include "base/UniqueFd.h"
#include "printer/outport/transport/FailureReason.h"
#include "printer/outport/transport/OutputQueue.h"
#include "printer/outport/transport/WriteAll.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <utility>

namespace {

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

// Bytes still in the output queue never reached the printer.
void DiscountQueued(int fd, const Deadline& deadline) {
    int queued = 0;
    if (ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
        const std::size_t unsent = std::min(static_cast<std::size_t>(queued), deadline.Accepted());
        deadline.SetAccepted(deadline.Accepted() - unsent);
    }
}

PortStatus Configure(int fd, const SerialOptions& options) {
    // A driver that refuses the settings, or takes them but not the speed, cannot run the line
    // as asked; anything else is a failure of the device.
    const auto failed = [&](int error) {
        return error == EINVAL ? PortStatus::Failed("the line does not support " +
                                                    std::to_string(options.baud) + " baud")
                               : PortStatus::SystemError(error);
    };
    termios current{};
    if (tcgetattr(fd, &current) != 0) {
        return failed(errno);
    }
    const termios wanted = RawTermios(current, options);
    if (tcsetattr(fd, TCSANOW, &wanted) != 0) {
        return failed(errno);
    }
    // tcsetattr succeeds when any part applies; a speed the driver refused would garble
    // everything, so check it.
    termios applied{};
    if (tcgetattr(fd, &applied) != 0) {
        return failed(errno);
    }
    return cfgetospeed(&applied) == cfgetospeed(&wanted) ? PortStatus::Ok() : failed(EINVAL);
}

// The exclusive hold: flock closes the race between two programs opening the port, TIOCEXCL
// keeps out programs that do not lock. Either refusing means someone else has the port.
PortStatus TakeExclusive(int fd) {
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        return PortStatus::SystemError(errno == EWOULDBLOCK ? EBUSY : errno);
    }
    if (ioctl(fd, TIOCEXCL) != 0 && errno != EINVAL && errno != ENOTTY) {
        return PortStatus::SystemError(errno);
    }
    return PortStatus::Ok();
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
    const auto explained = [&](const PortStatus& status) {
        return Explained(status, DeviceClass::Serial, deadline.Budget());
    };
    UniqueFd fd(open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) {
        return explained(PortStatus::SystemError(errno));
    }
    if (!isatty(fd.get())) {
        return PortStatus::Failed("not a serial line");
    }
    if (const PortStatus held = TakeExclusive(fd.get()); !held.ok()) {
        return explained(held);
    }
    ExclusiveHold exclusive(fd.get());
    PortStatus status = Configure(fd.get(), options);
    if (status.ok()) {
        status = WriteAll(fd.get(), data, size, deadline, false);
    }
    if (status.ok()) {
        status = WaitForEmptyOutput(fd.get(), deadline);
    }
    if (status.error() == ECANCELED) {
        DiscountQueued(fd.get(), deadline);
    }
    if (!status.ok()) {
        // Drop what is still queued, so a stalled printer does not get the block later and
        // close() does not wait for it.
        tcflush(fd.get(), TCOFLUSH);
    }
    exclusive.Release();
    const PortStatus closed = PortStatus::FromErrno(fd.Close());
    return explained(status.ok() ? closed : status);
}
