#include "printer/outport/transport/DeviceFile.h"

#include "base/UniqueFd.h"
#include "printer/outport/status/LinePrinterStatus.h"
#include "printer/outport/transport/FailureReason.h"
#include "printer/outport/transport/SerialLine.h"
#include "printer/outport/transport/WriteAll.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/lp.h>
#include <string>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <utility>

namespace {

bool IsParallelPort(std::string_view path) {
    return path.substr(0, 7) == "/dev/lp";
}

// Which group a permission failure points to: parallel ports and USB printers belong to 'lp';
// other character devices are taken for serial lines, which belong to 'dialout'.
DeviceClass ClassOf(const struct stat& info) {
    if (!S_ISCHR(info.st_mode)) {
        return DeviceClass::File;
    }
    return IsLinePrinter(info) ? DeviceClass::Printer : DeviceClass::Serial;
}

// A printer that refused the bytes or stopped taking them can often say why. The send's time is
// usually spent by then; its driver answers at once or, holding the port, not at all.
constexpr std::chrono::milliseconds kTroubleQueryTime{250};

PortStatus WithPrinterTrouble(const PortStatus& status, UniqueFd device) {
    const std::string trouble =
        PrinterTrouble(QueryLinePrinterStatus(std::move(device), kTroubleQueryTime));
    return trouble.empty() ? status
                           : PortStatus::Failed(status.reason() + "; " + trouble, status.error());
}

} // namespace

PortStatus SendToDeviceFile(const PortTarget& target, const unsigned char* data, std::size_t size,
                            const Deadline& deadline) {
    const bool capture = target.kind == PortTarget::Kind::Capture;
    DeviceClass device = capture ? DeviceClass::File : DeviceClass::Printer;
    const auto explained = [&](const PortStatus& status) {
        return Explained(status, device, deadline.Budget());
    };

    // Only a capture file may be created: a mistyped /dev node must never become a file.
    int flags = O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC | O_APPEND;
    if (capture) {
        flags |= O_CREAT;
    } else {
        struct stat info {};
        if (stat(target.path.c_str(), &info) != 0) {
            return explained(PortStatus::SystemError(errno));
        }
        if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode) && !S_ISREG(info.st_mode)) {
            return PortStatus::Failed("not a device, FIFO or file");
        }
        device = ClassOf(info);
    }
    UniqueFd fd(open(target.path.c_str(), flags, 0666));
    if (!fd.valid()) {
        return explained(PortStatus::SystemError(errno));
    }
    if (isatty(fd.get()) && target.kind == PortTarget::Kind::Path) {
        fd.Close();
        return SendSerial(target.path, SerialOptions(), data, size, deadline);
    }
    if (IsParallelPort(target.path)) {
        // Left alone, the parallel driver retries an offline printer for ever.
        ioctl(fd.get(), LPABORT, 1);
    }
    const PortStatus status = WriteAll(fd.get(), data, size, deadline, false);
    if (!status.ok() && device == DeviceClass::Printer && !deadline.StoppedByCancel()) {
        return WithPrinterTrouble(explained(status), std::move(fd));
    }
    const PortStatus closed = PortStatus::FromErrno(fd.Close());
    return explained(status.ok() ? closed : status);
}
