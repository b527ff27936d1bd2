#include "ui/ports/DeviceQueries.h"

#include "printer/outport/OutPortDevices.h"
#include "ui/ports/PortLibraryHandles.h"

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
        devices.push_back({Text(device->node), Text(device->uri), Text(device->description)});
    }
    return devices;
}

TargetState DescribeTarget(const QString& uri) {
    const TargetHandle target(OutPortDescribeUri(uri.toUtf8().constData()));
    const OutPortPrinterState& printer = target->printer;
    return {target->valid != 0,
            target->present != 0,
            target->usable != 0,
            Text(target->device),
            Text(target->description),
            Text(target->status),
            Text(target->fix),
            {Text(printer.state), Text(printer.reasons).split(u' ', Qt::SkipEmptyParts),
             Text(printer.words)}};
}

PortAssignment LookUpPortAssignment(int port) {
    const PortSettingHandle setting(OutPortLookUpPort(port));
    if (!setting) {
        return {};
    }
    return {Text(setting->name), Text(setting->uri), Text(setting->origin),
            setting->fromEnvironment != 0, Text(setting->error)};
}
