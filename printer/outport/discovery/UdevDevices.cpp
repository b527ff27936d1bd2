#include "printer/outport/discovery/UdevDevices.h"

#include "base/Characters.h"
#include "base/UniqueFd.h"
#include "printer/outport/address/UsbPrinterUri.h"

#include <algorithm>
#include <array>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <libudev.h>
#include <linux/serial.h>
#include <memory>
#include <string_view>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Udev = std::unique_ptr<udev, decltype(&udev_unref)>;
using Device = std::unique_ptr<udev_device, decltype(&udev_device_unref)>;

struct CloseDirectory {
    void operator()(DIR* directory) const { closedir(directory); }
};

std::string Text(const char* value) {
    return value != nullptr ? value : "";
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// Digits compare as numbers, so ttyUSB10 comes after ttyUSB9.
bool NaturalLess(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            const std::size_t endA = a.find_first_not_of("0123456789", i);
            const std::size_t endB = b.find_first_not_of("0123456789", j);
            const std::string_view numberA = a.substr(i, endA - i);
            const std::string_view numberB = b.substr(j, endB - j);
            if (numberA != numberB) {
                return numberA.size() != numberB.size() ? numberA.size() < numberB.size()
                                                        : numberA < numberB;
            }
            i = std::min(endA, a.size());
            j = std::min(endB, b.size());
        } else if (a[i] != b[j]) {
            return a[i] < b[j];
        } else {
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

// The names in /sys/class/SUBSYSTEM that start with `prefix` and stand for hardware, in natural
// order. Devices without hardware behind them (virtual terminals, the console, ptys' masters)
// live under /devices/virtual, which the class entry's link shows without building a device.
std::vector<std::string> HardwareNames(const char* subsystem, std::string_view prefix) {
    const std::string folder = std::string("/sys/class/") + subsystem + "/";
    std::vector<std::string> names;
    const std::unique_ptr<DIR, CloseDirectory> directory(opendir(folder.c_str()));
    if (!directory) {
        return names;
    }
    std::array<char, PATH_MAX> target{};
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (!StartsWith(name, prefix)) {
            continue;
        }
        const std::string link = folder + name;
        const ssize_t length = readlink(link.c_str(), target.data(), target.size() - 1);
        if (length > 0 &&
            std::string_view(target.data(), static_cast<std::size_t>(length)).find("/virtual/") ==
                std::string_view::npos) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end(), NaturalLess);
    return names;
}

// Calls `visit` for every device of `subsystem` with hardware behind it, a node and a name
// starting with `prefix`, in node order. The class folder is read directly: a device database
// enumeration would build every device twice.
template <typename Visit>
void ForEachDevice(udev* context, const char* subsystem, std::string_view prefix, Visit visit) {
    for (const std::string& name : HardwareNames(subsystem, prefix)) {
        const Device device(
            udev_device_new_from_subsystem_sysname(context, subsystem, name.c_str()),
            &udev_device_unref);
        if (device && udev_device_get_devnode(device.get()) != nullptr) {
            visit(device.get(), std::string(udev_device_get_devnode(device.get())));
        }
    }
}

std::string UsbAttribute(udev_device* device, const char* name) {
    udev_device* usb = udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
    return usb != nullptr ? Text(udev_device_get_sysattr_value(usb, name)) : "";
}

std::string Join(const std::string& vendor, const std::string& model) {
    return vendor.empty() || model.empty() ? vendor + model : vendor + " " + model;
}

// The adapter's own strings first ("FTDI FT232R USB UART"), then udev's names for it.
std::string SerialDescription(udev_device* device) {
    std::string description =
        Join(UsbAttribute(device, "manufacturer"), UsbAttribute(device, "product"));
    if (description.empty()) {
        description = Join(Text(udev_device_get_property_value(device, "ID_VENDOR_FROM_DATABASE")),
                           Text(udev_device_get_property_value(device, "ID_MODEL_FROM_DATABASE")));
    }
    if (description.empty()) {
        description = Join(Text(udev_device_get_property_value(device, "ID_VENDOR")),
                           Text(udev_device_get_property_value(device, "ID_MODEL")));
        std::replace(description.begin(), description.end(), '_', ' ');
    }
    return description.empty() ? "Serial port" : description;
}

// The kernel makes a ttyS node for every UART slot it reserves; only those with a UART behind
// them have a type. The sysfs attribute needs no open, which would raise the modem lines.
bool HasUart(udev_device* device, const std::string& node) {
    if (const char* type = udev_device_get_sysattr_value(device, "type"); type != nullptr) {
        return std::string_view(type) != "0";
    }
    const UniqueFd fd(open(node.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    serial_struct info{};
    return fd.valid() && ioctl(fd.get(), TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
}

// udev's /dev/serial/by-id link names the adapter by its vendor, model and serial number, so
// it stays the same whichever ttyUSB number the adapter gets.
std::string StableSerialPath(udev_device* device, const std::string& node) {
    const std::string allLinks = Text(udev_device_get_property_value(device, "DEVLINKS"));
    std::string_view links = allLinks;
    while (!links.empty()) {
        const auto space = links.find(' ');
        std::string link(links.substr(0, space));
        links.remove_prefix(space == std::string_view::npos ? links.size() : space + 1);
        struct stat info {};
        if (StartsWith(link, "/dev/serial/by-id/") && stat(link.c_str(), &info) == 0) {
            return link;
        }
    }
    return node;
}

void AddSerialLines(udev* context, std::vector<DiscoveredDevice>& found) {
    ForEachDevice(context, "tty", "tty", [&](udev_device* device, const std::string& node) {
        if (Text(udev_device_get_sysattr_value(device, "console")) == "Y" ||
            (StartsWith(node, "/dev/ttyS") && !HasUart(device, node))) {
            return;
        }
        found.push_back({DeviceKind::Serial,
                         node,
                         "serial:" + StableSerialPath(device, node),
                         SerialDescription(device),
                         {}});
    });
}

// The IEEE 1284 ID first; what it leaves out comes from the USB device's own strings.
PrinterIdentity UsbPrinterIdentity(udev_device* device) {
    PrinterIdentity printer =
        ParseIeee1284Id(Text(udev_device_get_sysattr_value(device, "ieee1284_id")));
    if (printer.make.empty()) {
        printer.make = UsbAttribute(device, "manufacturer");
    }
    if (printer.model.empty()) {
        printer.model = UsbAttribute(device, "product");
    }
    if (printer.serial.empty()) {
        printer.serial = UsbAttribute(device, "serial");
    }
    return printer;
}

void AddUsbPrinters(udev* context, std::vector<DiscoveredDevice>& found) {
    ForEachDevice(context, "usbmisc", "lp", [&](udev_device* device, const std::string& node) {
        const PrinterIdentity printer = UsbPrinterIdentity(device);
        const bool named = !printer.make.empty() && !printer.model.empty();
        const std::string description = printer.Description();
        found.push_back({DeviceKind::UsbPrinter, node, named ? MakeUsbPrinterUri(printer) : node,
                         description.empty() ? "USB printer" : description, printer});
    });
}

void AddParallelPorts(udev* context, std::vector<DiscoveredDevice>& found) {
    ForEachDevice(context, "printer", "lp", [&](udev_device*, const std::string& node) {
        found.push_back({DeviceKind::Parallel, node, "parallel:" + node, "Parallel port", {}});
    });
}

} // namespace

std::vector<DiscoveredDevice> DiscoverDevices() {
    std::vector<DiscoveredDevice> found;
    const Udev context(udev_new(), &udev_unref);
    if (context) {
        AddSerialLines(context.get(), found);
        AddUsbPrinters(context.get(), found);
        AddParallelPorts(context.get(), found);
    }
    return found;
}

std::vector<DiscoveredDevice> DiscoverUsbPrinters() {
    std::vector<DiscoveredDevice> found;
    const Udev context(udev_new(), &udev_unref);
    if (context) {
        AddUsbPrinters(context.get(), found);
    }
    return found;
}
