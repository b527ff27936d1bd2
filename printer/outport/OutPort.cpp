#include "OutPort.h"

#include "CancelToken.h"
#include "Deadline.h"
#include "DeviceFile.h"
#include "DeviceUri.h"
#include "NetworkSocket.h"
#include "PortConfig.h"
#include "PortStatus.h"
#include "SerialLine.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace {

constexpr int kPortCount = 4;

// Per thread, like errno: the reason belongs to the caller that made the failing call.
thread_local std::string t_lastError;

PortStatus Send(const PortTarget& target, const unsigned char* data, std::size_t size,
                const Deadline& deadline) {
    switch (target.kind) {
    case PortTarget::Kind::Serial:
        return SendSerial(target.path, target.serial, data, size, deadline);
    case PortTarget::Kind::Socket:
        return SendToSocket(target, data, size, deadline);
    case PortTarget::Kind::Parallel:
    case PortTarget::Kind::Path:
    case PortTarget::Kind::Capture:
        break;
    }
    return SendToDeviceFile(target, data, size, deadline);
}

std::string CancelledReason(std::size_t accepted, int length) {
    return "cancelled after " + std::to_string(accepted) + " of " + std::to_string(length) +
           " bytes";
}

std::string TrySend(int length, int port, const unsigned char* data, int cancelFd) {
    if (port < 0 || port >= kPortCount) {
        return port == -1
                   ? "No port is selected."
                   : "Port " + std::to_string(port) + " is not one of COM1, COM2, LPT1 and LPT2.";
    }
    // The port's look-up may read the configuration file, so the time-out starts before it; a
    // malformed time-out is still reported after a malformed port.
    std::chrono::milliseconds timeout{};
    const PortStatus timeoutStatus = LookUpTimeout(timeout);
    const Deadline deadline(timeout, cancelFd);
    PortSetting setting;
    if (const PortStatus found = LookUpPort(port, setting); !found.ok()) {
        return setting.name + ": " + found.reason();
    }
    PortTarget target;
    if (const PortStatus parsed = ParseDeviceUri(setting.value, target); !parsed.ok()) {
        return setting.name + ": \"" + setting.value + "\" from " + setting.origin +
               " is not a device: " + parsed.reason();
    }
    if (!timeoutStatus.ok()) {
        return setting.name + ": " + timeoutStatus.reason();
    }
    const std::string device = setting.name + " (" + target.Display() + ")";
    if (length < 0 || (length > 0 && data == nullptr)) {
        return device + ": nothing valid to send";
    }
    if (deadline.Cancelled()) {
        return device + ": " + CancelledReason(0, length);
    }
    const PortStatus status = Send(target, data, static_cast<std::size_t>(length), deadline);
    if (status.ok()) {
        return {};
    }
    if (deadline.StoppedByCancel()) {
        return device + ": " + CancelledReason(deadline.Accepted(), length);
    }
    return device + ": " + status.reason();
}

} // namespace

extern "C" int OutPort(int length, int port, unsigned char* data) {
    return OutPortCancellable(length, port, data, nullptr);
}

extern "C" int OutPortCancellable(int length, int port, unsigned char* data,
                                  OutPortCancel* cancel) {
    t_lastError = TrySend(length, port, data, CancelDescriptor(cancel));
    return t_lastError.empty() ? 1 : 0;
}

extern "C" const char* OutPortLastError(void) {
    return t_lastError.c_str();
}
