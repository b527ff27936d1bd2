#include "printer/outport/OutPort.h"

#include "printer/outport/CancelToken.h"
#include "printer/outport/NetworkTarget.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/PrintQueueCalls.h"
#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/PortConfig.h"
#include "printer/outport/discovery/UsbPrinterTarget.h"
#include "printer/outport/status/PortStatus.h"
#include "printer/outport/transport/Deadline.h"
#include "printer/outport/transport/DeviceFile.h"
#include "printer/outport/transport/NetworkSocket.h"
#include "printer/outport/transport/SerialLine.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <utility>

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
    case PortTarget::Kind::CupsQueue:
    case PortTarget::Kind::IppPrinter:
        // Nothing to send is a probe: the queue is looked at, and no job is made.
        return size == 0 ? ProbeQueue(target, deadline)
                         : SendThroughQueue(target, data, size, deadline);
    case PortTarget::Kind::NetworkService: {
        // Looked up at each send, so a printer that got a new address is still found.
        PortTarget found;
        if (PortStatus status = ResolveNetworkTarget(target, deadline, found); !status.ok()) {
            return status;
        }
        return Send(found, data, size, deadline);
    }
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

// The time-out is looked up first so that the deadline covers the port's look-up too, which may
// read the configuration file; a malformed time-out is still reported after a malformed port.
struct CallStart {
    PortStatus timeout;
    Deadline deadline;
};

CallStart StartCall(int cancelFd) {
    std::chrono::milliseconds timeout{};
    PortStatus status = LookUpTimeout(timeout);
    return {std::move(status), Deadline(timeout, cancelFd)};
}

// Sends to the device a URI names. `portName` and `origin` say where the URI came from, for
// messages; both are empty for a URI given directly.
std::string SendToUri(const std::string& portName, const std::string& uri,
                      const std::string& origin, int length, const unsigned char* data,
                      const CallStart& call) {
    const std::string prefix = portName.empty() ? std::string() : portName + ": ";
    PortTarget target;
    if (const PortStatus parsed = ParseDeviceUri(uri, target); !parsed.ok()) {
        return prefix + "\"" + WithoutCredentials(uri) + "\"" +
               (origin.empty() ? "" : " from " + origin) + " is not a device: " + parsed.reason();
    }
    if (!call.timeout.ok()) {
        return prefix + call.timeout.reason();
    }
    const std::string device =
        portName.empty() ? target.Display() : portName + " (" + target.Display() + ")";
    if (length < 0 || (length > 0 && data == nullptr)) {
        return device + ": nothing valid to send";
    }
    const Deadline& deadline = call.deadline;
    if (deadline.Cancelled()) {
        return device + ": " + CancelledReason(0, length);
    }
    const PortStatus status = Send(target, data, static_cast<std::size_t>(length), deadline);
    if (status.ok()) {
        return {};
    }
    if (deadline.StoppedByCancel()) {
        // A print queue that took the document also says what became of its job.
        const bool queued =
            target.kind == PortTarget::Kind::CupsQueue ||
            target.kind == PortTarget::Kind::IppPrinter ||
            (target.kind == PortTarget::Kind::NetworkService && !target.service.Raw());
        return device + ": " + CancelledReason(deadline.Accepted(), length) +
               (queued && deadline.Accepted() > 0 ? "; " + status.reason() : "");
    }
    return device + ": " + status.reason();
}

std::string TrySend(int length, int port, const unsigned char* data, int cancelFd) {
    if (port < 0 || port >= kPortCount) {
        return port == -1
                   ? "No port is selected."
                   : "Port " + std::to_string(port) + " is not one of COM1, COM2, LPT1 and LPT2.";
    }
    const CallStart call = StartCall(cancelFd);
    PortSetting setting;
    if (const PortStatus found = LookUpPort(port, setting); !found.ok()) {
        return setting.name + ": " + found.reason();
    }
    return SendToUri(setting.name, setting.value, setting.origin, length, data, call);
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

extern "C" int OutPortToUri(const char* uri, int length, const unsigned char* data) {
    return OutPortToUriCancellable(uri, length, data, nullptr);
}

extern "C" int OutPortToUriCancellable(const char* uri, int length, const unsigned char* data,
                                       OutPortCancel* cancel) {
    t_lastError = uri == nullptr ? "No device is given."
                                 : SendToUri(std::string(), uri, std::string(), length, data,
                                             StartCall(CancelDescriptor(cancel)));
    return t_lastError.empty() ? 1 : 0;
}

// Nothing sent is a send all the same: the device is opened (a serial line held exclusively
// and set up, a network printer connected) and closed, within the time-out.
extern "C" int OutPortProbe(const char* uri) {
    return OutPortToUri(uri, 0, nullptr);
}
