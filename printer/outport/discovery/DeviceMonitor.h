#pragma once

#include <libudev.h>
#include <memory>

// Watches the device database for serial lines, USB printers and parallel ports coming and
// going, through a descriptor an event loop can poll.
class DeviceMonitor {
public:
    // Null when the system has no device events to watch.
    static std::unique_ptr<DeviceMonitor> Open();

    int Fd() const;

    // Consumes every pending event; true when one of them concerned a device that can hold a
    // printer.
    bool ReadChanges();

private:
    using Udev = std::unique_ptr<udev, decltype(&udev_unref)>;
    using Monitor = std::unique_ptr<udev_monitor, decltype(&udev_monitor_unref)>;

    DeviceMonitor(Udev context, Monitor monitor);

    Udev m_context;
    Monitor m_monitor;
};
