#include "DeviceQueries.h"

#include "OutPortDevices.h"

#include <memory>

namespace {

QString Text(const char* text) {
    return QString::fromUtf8(text == nullptr ? "" : text);
}

struct FreeDevices {
    void operator()(OutPortDeviceList* list) const { OutPortFreeDevices(list); }
};
struct FreeTarget {
    void operator()(OutPortTarget* target) const { OutPortFreeTarget(target); }
};
struct FreePortSetting {
    void operator()(OutPortPortSetting* setting) const { OutPortFreePortSetting(setting); }
};

} // namespace

std::vector<DeviceEntry> ListDevices() {
    const std::unique_ptr<OutPortDeviceList, FreeDevices> list(OutPortListDevices());
    std::vector<DeviceEntry> devices;
    const int count = OutPortDeviceCount(list.get());
    for (int i = 0; i < count; ++i) {
        const OutPortDevice* device = OutPortDeviceAt(list.get(), i);
        devices.push_back({Text(device->node), Text(device->uri), Text(device->description)});
    }
    return devices;
}

TargetState DescribeTarget(const QString& uri) {
    const std::unique_ptr<OutPortTarget, FreeTarget> target(
        OutPortDescribeUri(uri.toUtf8().constData()));
    return {target->valid != 0,   target->present != 0,      target->usable != 0,
            Text(target->device), Text(target->description), Text(target->status),
            Text(target->fix)};
}

PortAssignment LookUpPortAssignment(int port) {
    const std::unique_ptr<OutPortPortSetting, FreePortSetting> setting(OutPortLookUpPort(port));
    if (!setting) {
        return {};
    }
    return {Text(setting->name), Text(setting->uri), Text(setting->origin),
            setting->fromEnvironment != 0, Text(setting->error)};
}
