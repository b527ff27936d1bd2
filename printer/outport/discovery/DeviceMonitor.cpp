#include "printer/outport/discovery/DeviceMonitor.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

constexpr std::array<const char*, 3> kSubsystems{"tty", "usbmisc", "printer"};

bool StartsWith(const char* text, std::string_view prefix) {
    return text != nullptr && std::string_view(text).substr(0, prefix.size()) == prefix;
}

// A removed device's parents are gone already, so the path tells a virtual terminal from a
// serial line.
bool HoldsPrinter(udev_device* device) {
    if (StartsWith(udev_device_get_subsystem(device), "tty")) {
        return !StartsWith(udev_device_get_devpath(device), "/devices/virtual/");
    }
    return StartsWith(udev_device_get_sysname(device), "lp");
}

} // namespace

DeviceMonitor::DeviceMonitor(Udev context, Monitor monitor)
    : m_context(std::move(context)), m_monitor(std::move(monitor)) {}

std::unique_ptr<DeviceMonitor> DeviceMonitor::Open() {
    Udev context(udev_new(), &udev_unref);
    if (!context) {
        return nullptr;
    }
    Monitor monitor(udev_monitor_new_from_netlink(context.get(), "udev"), &udev_monitor_unref);
    if (!monitor) {
        return nullptr;
    }
    for (const char* subsystem : kSubsystems) {
        if (udev_monitor_filter_add_match_subsystem_devtype(monitor.get(), subsystem, nullptr) <
            0) {
            return nullptr;
        }
    }
    if (udev_monitor_enable_receiving(monitor.get()) < 0) {
        return nullptr;
    }
    return std::unique_ptr<DeviceMonitor>(
        new DeviceMonitor(std::move(context), std::move(monitor)));
}

int DeviceMonitor::Fd() const {
    return udev_monitor_get_fd(m_monitor.get());
}

bool DeviceMonitor::ReadChanges() {
    bool changed = false;
    // The descriptor is non-blocking: receiving stops when nothing is pending.
    for (;;) {
        const Device device(udev_monitor_receive_device(m_monitor.get()), &udev_device_unref);
        if (!device) {
            return changed;
        }
        changed = HoldsPrinter(device.get()) || changed;
    }
}
