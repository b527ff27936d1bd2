#include "OutPort.h"

#include "Deadline.h"
#include "DeviceFile.h"
#include "DeviceUri.h"
#include "NetworkSocket.h"
#include "OutPortDevices.h"
#include "PortConfig.h"
#include "PortStatus.h"
#include "SerialLine.h"
#include "UsbPrinterTarget.h"

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
    case PortTarget::Kind::UsbPrinter: {
        PortTarget found = target;
        if (PortStatus status = ResolveUsbPrinter(found); !status.ok()) {
            return status;
        }
        return SendToDeviceFile(found, data, size, deadline);
    }
    case PortTarget::Kind::Parallel:
    case PortTarget::Kind::Path:
    case PortTarget::Kind::Capture:
        break;
    }
    return SendToDeviceFile(target, data, size, deadline);
}

// Sends to the device a URI names. `portName` and `origin` say where the URI came from, for
// messages; both are empty for a URI given directly.
std::string SendToUri(const std::string& portName, const std::string& uri,
                      const std::string& origin, int length, const unsigned char* data) {
    const std::string prefix = portName.empty() ? std::string() : portName + ": ";
    PortTarget target;
    std::string error;
    if (!ParseDeviceUri(uri, target, error)) {
        return prefix + "\"" + uri + "\"" + (origin.empty() ? "" : " from " + origin) +
               " is not a device: " + error;
    }
    std::chrono::milliseconds timeout{};
    if (!LookUpTimeout(timeout, error)) {
        return prefix + error;
    }
    const std::string device =
        portName.empty() ? target.Display() : portName + " (" + target.Display() + ")";
    if (length < 0 || (length > 0 && data == nullptr)) {
        return device + ": nothing valid to send";
    }
    const Deadline deadline(timeout);
    const PortStatus status = Send(target, data, static_cast<std::size_t>(length), deadline);
    return status.ok() ? std::string() : device + ": " + status.reason();
}

std::string TrySend(int length, int port, const unsigned char* data) {
    if (port < 0 || port >= kPortCount) {
        return port == -1
                   ? "No port is selected."
                   : "Port " + std::to_string(port) + " is not one of COM1, COM2, LPT1 and LPT2.";
    }
    PortSetting setting;
    std::string error;
    if (!LookUpPort(port, setting, error)) {
        return setting.name + ": " + error;
    }
    return SendToUri(setting.name, setting.value, setting.origin, length, data);
}

} // namespace

extern "C" int OutPort(int length, int port, unsigned char* data) {
    t_lastError = TrySend(length, port, data);
    return t_lastError.empty() ? 1 : 0;
}

extern "C" const char* OutPortLastError(void) {
    return t_lastError.c_str();
}

extern "C" int OutPortToUri(const char* uri, int length, const unsigned char* data) {
    t_lastError = uri == nullptr ? "No device is given."
                                 : SendToUri(std::string(), uri, std::string(), length, data);
    return t_lastError.empty() ? 1 : 0;
}

// Nothing sent is a send all the same: the device is opened (a serial line held exclusively
// and set up, a network printer connected) and closed, within the time-out.
extern "C" int OutPortProbe(const char* uri) {
    return OutPortToUri(uri, 0, nullptr);
}
