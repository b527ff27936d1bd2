#include "printer/outport/transport/FailureReason.h"

#include "printer/outport/transport/DeviceAccess.h"

#include <cerrno>
#include <cstring>

std::string DescribeFailure(int error, DeviceClass device, std::chrono::milliseconds timeout) {
    switch (error) {
    case ENOENT:
        return device == DeviceClass::File ? "no such file"
                                           : "no such device — is the printer plugged in?";
    case EACCES:
    case EPERM:
        if (device == DeviceClass::Serial || device == DeviceClass::Printer) {
            const std::string group = device == DeviceClass::Serial ? "dialout" : "lp";
            return NoAccessStatus(group) + " (" + JoinGroupFix(group) + ")";
        }
        return "permission denied";
    case EBUSY:
    case EWOULDBLOCK:
        return "busy — another program is using the port";
    case EPIPE:
        if (device == DeviceClass::Network) {
            return "connection reset by the printer";
        }
        [[fallthrough]];
    case ENXIO:
        if (device == DeviceClass::File) {
            return "not connected — nothing is reading from it";
        }
        [[fallthrough]];
    case EIO:
    case ENODEV:
        return "not connected — the printer is unplugged or switched off";
    case ENOSPC:
        return device == DeviceClass::File ? "no space left on the disk" : "out of paper or labels";
    case ETIMEDOUT:
        return "timed out after " + std::to_string(timeout.count()) +
               " ms — the printer may be stalled or offline";
    case ECONNREFUSED:
        return "connection refused — nothing listens on that port";
    case ECONNRESET:
        return "connection reset by the printer";
    case EHOSTUNREACH:
    case ENETUNREACH:
        return "no route to the printer's network address";
    case EISDIR:
        return "is a directory, not a device";
    default:
        return std::strerror(error);
    }
}

PortStatus Explained(const PortStatus& status, DeviceClass device,
                     std::chrono::milliseconds timeout) {
    if (status.error() == 0) {
        return status;
    }
    return PortStatus::Failed(DescribeFailure(status.error(), device, timeout), status.error());
}
