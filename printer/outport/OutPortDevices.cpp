// The C face of device discovery: each object owns the strings its structure points into.
#include "printer/outport/OutPortDevices.h"

#include "printer/outport/CancelToken.h"
#include "printer/outport/cups/QueueDirectory.h"
#include "printer/outport/discovery/DeviceMonitor.h"
#include "printer/outport/discovery/UdevDevices.h"
#include "printer/outport/discovery/UsbPrinterTarget.h"
#include "printer/outport/status/LinePrinterStatus.h"
#include "printer/outport/status/PrinterState.h"
#include "printer/outport/target/DeviceUri.h"
#include "printer/outport/target/PortConfig.h"
#include "printer/outport/transport/DeviceAccess.h"
#include "printer/outport/transport/FailureReason.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The strings behind an OutPortPrinterState.
struct PrinterStateText {
    std::string state;
    std::string reasons;
    std::string message;
    std::string words;

    explicit PrinterStateText(const PrinterState& printer = {})
        : state(StateKeyword(printer.state)), reasons(JoinedReasons(printer)),
          message(printer.message), words(DescribePrinterState(printer)) {}

    OutPortPrinterState View() const {
        return {state.c_str(), reasons.c_str(), message.c_str(), words.c_str()};
    }
};

struct DeviceRecord {
    OutPortDeviceKind kind;
    DiscoveredDevice device;
    DeviceAccess access;
    PrinterStateText printer;
    bool isDefault = false;
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

} // namespace

struct OutPortDeviceList {
    std::vector<DeviceRecord> records;
    std::vector<OutPortDevice> views;
    std::string problem;

    // Points the views at the records, once these are all in.
    void MakeViews() {
        for (const DeviceRecord& record : records) {
            views.push_back({record.kind, record.device.node.c_str(), record.device.uri.c_str(),
                             record.device.description.c_str(), record.access.usable ? 1 : 0,
                             record.access.group.c_str(), record.access.fix.c_str(),
                             record.printer.View(), record.isDefault ? 1 : 0});
        }
    }
};

struct OutPortMonitor {
    std::unique_ptr<DeviceMonitor> monitor;
};

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

// What a USB printer or parallel port reports. Other nodes report nothing, and one that cannot
// be opened says why its state is unknown.
PrinterState PrinterStateOf(const std::string& node, const DeviceAccess& access) {
    struct stat info {};
    if (stat(node.c_str(), &info) != 0 || !IsLinePrinter(info)) {
        return {};
    }
    if (!access.usable) {
        return {PrinterState::State::Unknown, {}, access.status};
    }
    const LinePrinterReading reading = ReadLinePrinterStatus(node);
    if (reading.openError != 0) {
        return {PrinterState::State::Unknown,
                {},
                DescribeFailure(reading.openError, DeviceClass::Printer, {})};
    }
    return reading.printer;
}

void DescribeDevice(const PortTarget& target, TargetRecord& result) {
    if (target.kind == PortTarget::Kind::Socket) {
        // Reaching a network printer takes a connection, which is what OutPortProbe is for.
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
    const DeviceAccess access = CheckAccess(target.path);
    result.present = 1;
    result.usable = access.usable ? 1 : 0;
    result.statusText = access.status;
    result.fixText = access.fix;
    result.descriptionText = DescriptionOf(target.path);
    result.printerText = PrinterStateText(PrinterStateOf(target.path, access));
}

// A malformed OUTPORT_TIMEOUT_MS leaves the default, which is what a look-up can still use.
std::chrono::milliseconds CallTimeout() {
    std::chrono::milliseconds timeout{};
    LookUpTimeout(timeout);
    return timeout;
}

bool QueueUsable(const PrintQueue& queue) {
    return queue.accepting && queue.state.state != PrinterState::State::Stopped;
}

// The commands that let a queue take jobs again, for whoever may run them.
std::string QueueFix(const PrintQueue& queue) {
    std::string fix;
    if (!queue.accepting) {
        fix = "cupsaccept " + queue.name;
    }
    if (queue.state.state == PrinterState::State::Stopped) {
        fix += (fix.empty() ? "" : ", ") + std::string("cupsenable ") + queue.name;
    }
    return fix;
}

// A queue is asked for its state; where the server cannot be reached, that is the status.
void DescribeQueue(const PortTarget& target, int cancelFd, TargetRecord& result) {
    PrintQueueReport report = DescribePrintQueue(target, Deadline(CallTimeout(), cancelFd));
    result.deviceText = report.queue.name.empty() ? target.queue : report.queue.name;
    result.deviceText += " on " + report.server;
    result.present = report.found ? 1 : 0;
    result.usable = report.status.ok() ? 1 : 0;
    result.statusText = report.status.ok() ? "ready" : report.status.reason();
    if (report.found) {
        result.descriptionText = report.queue.Description();
        result.fixText = QueueFix(report.queue);
        result.printerText = PrinterStateText(report.queue.state);
    }
}

OutPortDeviceKind CKind(DeviceKind kind) {
    switch (kind) {
    case DeviceKind::Serial:
        return OUTPORT_DEVICE_SERIAL;
    case DeviceKind::UsbPrinter:
        return OUTPORT_DEVICE_USB_PRINTER;
    case DeviceKind::Parallel:
        return OUTPORT_DEVICE_PARALLEL;
    }
    return OUTPORT_DEVICE_SERIAL;
}

} // namespace

extern "C" OutPortDeviceList* OutPortListDevices(void) {
    auto list = std::make_unique<OutPortDeviceList>();
    for (DiscoveredDevice& device : DiscoverDevices()) {
        const OutPortDeviceKind kind = CKind(device.kind);
        DeviceAccess access = CheckAccess(device.node);
        // A serial line reports nothing of the printer behind it.
        PrinterStateText printer(device.kind == DeviceKind::Serial
                                     ? PrinterState()
                                     : PrinterStateOf(device.node, access));
        list->records.push_back({kind, std::move(device), std::move(access), std::move(printer)});
    }
    list->MakeViews();
    return list.release();
}

extern "C" OutPortDeviceList* OutPortListQueues(OutPortCancel* cancel) {
    auto list = std::make_unique<OutPortDeviceList>();
    PrintQueueListing listing = ListPrintQueues(Deadline(CallTimeout(), CancelDescriptor(cancel)));
    for (PrintQueue& queue : listing.queues) {
        DeviceRecord record{OUTPORT_DEVICE_CUPS_QUEUE, {}, {}, PrinterStateText(queue.state)};
        record.device.node = queue.name;
        record.device.uri = "cups:" + queue.name;
        record.device.description = queue.Description();
        record.access.usable = QueueUsable(queue);
        record.access.fix = QueueFix(queue);
        record.isDefault = queue.isDefault;
        list->records.push_back(std::move(record));
    }
    list->problem = std::move(listing.problem);
    list->MakeViews();
    return list.release();
}

extern "C" const char* OutPortDeviceListProblem(const OutPortDeviceList* list) {
    return list != nullptr ? list->problem.c_str() : "";
}

extern "C" int OutPortDeviceCount(const OutPortDeviceList* list) {
    return list != nullptr ? static_cast<int>(list->views.size()) : 0;
}

extern "C" const OutPortDevice* OutPortDeviceAt(const OutPortDeviceList* list, int index) {
    if (list == nullptr || index < 0 || index >= OutPortDeviceCount(list)) {
        return nullptr;
    }
    return &list->views[static_cast<std::size_t>(index)];
}

extern "C" void OutPortFreeDevices(OutPortDeviceList* list) {
    delete list;
}

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
            DescribeQueue(target, CancelDescriptor(cancel), *result);
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

extern "C" OutPortMonitor* OutPortMonitorOpen(void) {
    std::unique_ptr<DeviceMonitor> monitor = DeviceMonitor::Open();
    return monitor ? new OutPortMonitor{std::move(monitor)} : nullptr;
}

extern "C" int OutPortMonitorFd(const OutPortMonitor* monitor) {
    return monitor != nullptr ? monitor->monitor->Fd() : -1;
}

extern "C" int OutPortMonitorRead(OutPortMonitor* monitor) {
    return monitor != nullptr && monitor->monitor->ReadChanges() ? 1 : 0;
}

extern "C" void OutPortMonitorClose(OutPortMonitor* monitor) {
    delete monitor;
}
