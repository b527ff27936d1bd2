#include "ui/ports/DeviceQueries.h"

#include "printer/outport/OutPortDevices.h"
#include "printer/outport/address/DeviceUri.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QCoreApplication>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text == nullptr ? "" : text);
}

} // namespace

std::vector<DeviceEntry> ListDevices() {
    const DeviceListHandle list(OutPortListDevices());
    std::vector<DeviceEntry> devices;
    const int count = OutPortDeviceCount(list.get());
    for (int i = 0; i < count; ++i) {
        const OutPortDevice* device = OutPortDeviceAt(list.get(), i);
        devices.push_back({Text(device->node), Text(device->uri), Text(device->description),
                           Text(device->printer.words)});
    }
    return devices;
}

QueueListing ListQueues(OutPortCancel* cancel) {
    const DeviceListHandle list(OutPortListQueues(cancel));
    QueueListing listing;
    const int count = OutPortDeviceCount(list.get());
    for (int i = 0; i < count; ++i) {
        const OutPortDevice* queue = OutPortDeviceAt(list.get(), i);
        QString description = Text(queue->description);
        if (queue->isDefault == 1) {
            description = QCoreApplication::translate("DeviceQueries", "%1, the default queue")
                              .arg(description);
        }
        listing.queues.push_back(
            {Text(queue->uri), Text(queue->uri), description, Text(queue->printer.words)});
    }
    listing.problem = Text(OutPortDeviceListProblem(list.get()));
    return listing;
}

NetworkPrinterListing ListNetworkPrinters(OutPortCancel* cancel) {
    const DeviceListHandle list(OutPortListNetworkPrinters(0, cancel));
    NetworkPrinterListing listing;
    const int count = OutPortDeviceCount(list.get());
    for (int i = 0; i < count; ++i) {
        const OutPortDevice* printer = OutPortDeviceAt(list.get(), i);
        listing.printers.push_back({Text(printer->node), Text(printer->uri),
                                    Text(printer->description), Text(printer->printer.words),
                                    Text(printer->problem)});
    }
    listing.problem = Text(OutPortDeviceListProblem(list.get()));
    return listing;
}

TargetState DescribeTarget(const QString& uri, OutPortCancel* cancel) {
    const TargetHandle target(OutPortDescribeUriCancellable(uri.toUtf8().constData(), cancel));
    const OutPortPrinterState& printer = target->printer;
    return {target->valid != 0,
            target->present != 0,
            target->usable != 0,
            Text(target->device),
            Text(target->description),
            Text(target->status),
            Text(target->fix),
            {Text(printer.state), Text(printer.reasons).split(u' ', Qt::SkipEmptyParts),
             Text(printer.words), Text(printer.message)}};
}

bool IsPrintQueueUri(const QString& uri) {
    PortTarget target;
    return ParseDeviceUri(uri.toStdString(), target).ok() &&
           (target.kind == PortTarget::Kind::CupsQueue ||
            target.kind == PortTarget::Kind::IppPrinter);
}

bool IsNetworkServiceUri(const QString& uri) {
    PortTarget target;
    return ParseDeviceUri(uri.toStdString(), target).ok() &&
           target.kind == PortTarget::Kind::NetworkService;
}

QString UriProblem(const QString& uri) {
    PortTarget target;
    return QString::fromStdString(ParseDeviceUri(uri.toStdString(), target).reason());
}

PortAssignment LookUpPortAssignment(int port) {
    const PortSettingHandle setting(OutPortLookUpPort(port));
    if (!setting) {
        return {};
    }
    return {Text(setting->name), Text(setting->uri), Text(setting->origin),
            setting->fromEnvironment != 0, Text(setting->error)};
}
