// The C face of what a device URI and a port mean now: each object owns the strings its
// structure points into.
#include "base/UniqueFd.h"
#include "printer/outport/CancelToken.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/PrintQueueCalls.h"
#include "printer/outport/PrinterReport.h"
#include "printer/outport/address/DeviceUri.h"
#include "printer/outport/address/PortConfig.h"
#include "printer/outport/discovery/UdevDevices.h"
#include "printer/outport/discovery/UsbPrinterTarget.h"
#include "printer/outport/transport/Deadline.h"
#include "printer/outport/transport/DeviceAccess.h"
#include "printer/outport/transport/FailureReason.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The structures handed out are the bases of records that own their strings, so a pointer to
// one can be turned back into its record to free it.
struct TargetRecord : OutPortTarget {
    TargetRecord() : OutPortTarget{} {}
    std::string deviceText;
    std::string descriptionText;
    std::string statusText;
    std::string fixText;
    PrinterStateText printerText;
};

struct PortSettingRecord : OutPortPortSetting {
    PortSettingRecord() : OutPortPortSetting{} {}
    PortSetting setting;
    std::string errorText;
};

// The same file reached by two names, such as a /dev/serial/by-id link and its node.
bool SameFile(const std::string& a, const std::string& b) {
    struct stat infoA {};
    struct stat infoB {};
    return stat(a.c_str(), &infoA) == 0 && stat(b.c_str(), &infoB) == 0 &&
           infoA.st_dev == infoB.st_dev && infoA.st_ino == infoB.st_ino;
}

std::string DescriptionOf(const std::string& node) {
    for (const DiscoveredDevice& device : DiscoverDevices()) {
        if (device.node == node || SameFile(device.node, node)) {
            return device.description;
        }
    }
    return {};
}

// A capture file is usable when it can be written, or created in its folder.
PortStatus CheckCaptureFile(const std::string& path) {
    if (access(path.c_str(), W_OK) == 0) {
        return PortStatus::Ok();
    }
    if (errno != ENOENT) {
        return PortStatus::SystemError(errno);
    }
    const std::string folder = std::filesystem::path(path).parent_path().string();
    return access(folder.c_str(), W_OK | X_OK) == 0 ? PortStatus::Ok()
                                                    : PortStatus::SystemError(errno);
}

// A FIFO takes a send only while something reads it, which only opening it shows.
int WriterOpenError(const std::string& path) {
    const UniqueFd fifo(open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    return fifo.valid() ? 0 : errno;
}

void DescribeDevice(const PortTarget& target, TargetRecord& result) {
    if (target.kind == PortTarget::Kind::Socket ||
        target.kind == PortTarget::Kind::NetworkService) {
        // Reaching a network printer takes a connection (and a dnssd:// one a look-up), which is
        // what OutPortProbe is for.
        result.deviceText = target.Display();
        result.present = 1;
        result.usable = 1;
        result.statusText = "ready";
        return;
    }
    result.deviceText = target.path;
    if (target.kind == PortTarget::Kind::Capture) {
        const PortStatus status = Explained(CheckCaptureFile(target.path), DeviceClass::File, {});
        result.present = 1;
        result.usable = status.ok() ? 1 : 0;
        result.statusText = status.ok() ? "ready" : status.reason();
        return;
    }
    struct stat info {};
    if (target.path.empty() || stat(target.path.c_str(), &info) != 0) {
        result.statusText = "not connected";
        return;
    }
    result.present = 1;
    result.descriptionText = DescriptionOf(target.path);
    // Ready means a send can start: what a send refuses, or fails to open, is not.
    if (!S_ISCHR(info.st_mode) && !S_ISFIFO(info.st_mode) && !S_ISREG(info.st_mode)) {
        result.statusText = "not a device, FIFO or file";
        return;
    }
    const DeviceAccess access = CheckAccess(target.path);
    result.usable = access.usable ? 1 : 0;
    result.statusText = access.status;
    result.fixText = access.fix;
    const LinePrinterReading reading = PrinterStateOf(target.path, access);
    result.printerText = PrinterStateText(reading.printer);
    int openError = reading.openError;
    if (access.usable && S_ISFIFO(info.st_mode)) {
        openError = WriterOpenError(target.path);
    }
    if (openError != 0) {
        result.usable = 0;
        result.statusText = DescribeFailure(
            openError, S_ISFIFO(info.st_mode) ? DeviceClass::File : DeviceClass::Printer, {});
    }
}

// A queue is asked for its state; where the server cannot be reached, that is the status.
void DescribeQueue(const PortTarget& target, const OutPortCancel* cancel, TargetRecord& result) {
    const QueueLookUp report = LookUpQueueOf(target, LookUpDeadline(cancel));
    if (report.server.empty()) { // the module that reaches servers is missing
        result.deviceText = target.Display();
    } else {
        result.deviceText = report.queue.name.empty() ? target.queue : report.queue.name;
        result.deviceText += " on " + report.server;
    }
    result.present = report.found ? 1 : 0;
    result.usable = report.status.ok() ? 1 : 0;
    result.statusText = report.status.ok() ? "ready" : report.status.reason();
    if (report.found) {
        result.descriptionText = report.queue.description;
        result.fixText = report.queue.fix;
        result.printerText = PrinterStateText(report.queue.state);
    }
}

} // namespace

extern "C" OutPortTarget* OutPortDescribeUri(const char* uri) {
    return OutPortDescribeUriCancellable(uri, nullptr);
}

extern "C" OutPortTarget* OutPortDescribeUriCancellable(const char* uri, OutPortCancel* cancel) {
    auto result = std::make_unique<TargetRecord>();
    PortTarget target;
    const PortStatus parsed =
        uri == nullptr ? PortStatus::Failed("no device is given") : ParseDeviceUri(uri, target);
    if (!parsed.ok()) {
        result->statusText = parsed.reason();
    } else {
        result->valid = 1;
        if (target.kind == PortTarget::Kind::UsbPrinter && !ResolveUsbPrinter(target).ok()) {
            result->statusText = "not connected";
        } else if (target.kind == PortTarget::Kind::CupsQueue ||
                   target.kind == PortTarget::Kind::IppPrinter) {
            DescribeQueue(target, cancel, *result);
        } else {
            DescribeDevice(target, *result);
        }
    }
    result->device = result->deviceText.c_str();
    result->description = result->descriptionText.c_str();
    result->status = result->statusText.c_str();
    result->fix = result->fixText.c_str();
    result->printer = result->printerText.View();
    return result.release();
}

extern "C" void OutPortFreeTarget(OutPortTarget* target) {
    delete static_cast<TargetRecord*>(target);
}

extern "C" OutPortPortSetting* OutPortLookUpPort(int port) {
    if (port < 0 || port > 3) {
        return nullptr;
    }
    auto result = std::make_unique<PortSettingRecord>();
    PortSetting& setting = result->setting;
    if (const PortStatus found = LookUpPort(port, setting); !found.ok()) {
        result->errorText = found.reason();
        setting.value.clear();
    }
    result->name = setting.name.c_str();
    result->uri = setting.value.c_str();
    result->origin = setting.origin.c_str();
    result->fromEnvironment = setting.origin.rfind("OUTPORT_", 0) == 0 ? 1 : 0;
    result->error = result->errorText.c_str();
    return result.release();
}

extern "C" void OutPortFreePortSetting(OutPortPortSetting* setting) {
    delete static_cast<PortSettingRecord*>(setting);
}
