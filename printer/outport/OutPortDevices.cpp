// The C face of device discovery: the devices and print queues found, and the plug monitor.
// Each list owns the strings its structures point into.
#include "printer/outport/OutPortDevices.h"

#include "printer/outport/CancelToken.h"
#include "printer/outport/NetworkServiceCalls.h"
#include "printer/outport/PrintQueueCalls.h"
#include "printer/outport/PrinterReport.h"
#include "printer/outport/address/PrintQueueUri.h"
#include "printer/outport/discovery/DeviceMonitor.h"
#include "printer/outport/discovery/UdevDevices.h"
#include "printer/outport/status/PrinterState.h"
#include "printer/outport/transport/Deadline.h"
#include "printer/outport/transport/DeviceAccess.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct DeviceRecord {
    OutPortDeviceKind kind;
    DiscoveredDevice device;
    DeviceAccess access;
    PrinterStateText printer;
    bool isDefault = false;
    NetworkPrinter network{}; // OUTPORT_DEVICE_NETWORK only
};

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
                             record.printer.View(), record.isDefault ? 1 : 0,
                             record.network.hostName.c_str(), record.network.address.c_str(),
                             record.network.tcpPort, record.network.service.type.c_str(),
                             record.network.resource.c_str(), record.network.problem.c_str()});
        }
    }
};

struct OutPortMonitor {
    std::unique_ptr<DeviceMonitor> monitor;
};

extern "C" OutPortDeviceList* OutPortListDevices(void) {
    auto list = std::make_unique<OutPortDeviceList>();
    for (DiscoveredDevice& device : DiscoverDevices()) {
        const OutPortDeviceKind kind = CKind(device.kind);
        DeviceAccess access = CheckAccess(device.node);
        // A serial line reports nothing of the printer behind it.
        PrinterStateText printer(device.kind == DeviceKind::Serial
                                     ? PrinterState()
                                     : PrinterStateOf(device.node, access).printer);
        list->records.push_back({kind, std::move(device), std::move(access), std::move(printer)});
    }
    list->MakeViews();
    return list.release();
}

extern "C" OutPortDeviceList* OutPortListQueues(OutPortCancel* cancel) {
    auto list = std::make_unique<OutPortDeviceList>();
    QueueSummaries listing = ListServerQueues(LookUpDeadline(cancel));
    for (QueueSummary& queue : listing.queues) {
        DeviceRecord record{OUTPORT_DEVICE_CUPS_QUEUE, {}, {}, PrinterStateText(queue.state)};
        record.device.uri = CupsQueueUri(queue.name);
        record.device.node = std::move(queue.name);
        record.device.description = std::move(queue.description);
        record.access.usable = queue.usable;
        record.access.fix = std::move(queue.fix);
        record.isDefault = queue.isDefault;
        list->records.push_back(std::move(record));
    }
    list->problem = std::move(listing.problem);
    list->MakeViews();
    return list.release();
}

extern "C" OutPortDeviceList* OutPortListNetworkPrinters(int gatherMs, OutPortCancel* cancel) {
    auto list = std::make_unique<OutPortDeviceList>();
    GatherTime time;
    if (gatherMs > 0) {
        time.gather = std::chrono::milliseconds(gatherMs);
        time.quiet = std::min(time.quiet, time.gather / 3);
    }
    NetworkListing listing = BrowseNetwork(time, CancelDescriptor(cancel));
    for (NetworkPrinter& printer : listing.printers) {
        // A raw port says nothing of the printer, and an IPP printer is not asked while listing.
        DeviceRecord record{OUTPORT_DEVICE_NETWORK, {}, {}, PrinterStateText()};
        record.device.node = printer.service.instance;
        record.device.uri = printer.Uri();
        record.device.description = printer.description;
        record.access.usable = printer.problem.empty();
        record.network = std::move(printer);
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
