#pragma once

#include <cstdlib>
#include <cstring>
#include <glib-object.h>
#include <linux/lp.h>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/ioctl.h>
#include <umockdev.h>

// A private /sys and /dev of made-up devices, seen by this process when it runs under
// umockdev-wrapper. Serial nodes are pseudo-terminals and printer nodes character devices
// whose other end MasterFd() gives, so what a send writes can be read back.
class MockDevices {
public:
    MockDevices() : m_testbed(umockdev_testbed_new()) {}
    MockDevices(const MockDevices&) = delete;
    MockDevices& operator=(const MockDevices&) = delete;
    ~MockDevices() { g_object_unref(m_testbed); }

    // Whether the preload library that redirects /sys and /dev is in place.
    static bool Active() {
        const char* preload = std::getenv("LD_PRELOAD");
        return preload != nullptr &&
               std::string_view(preload).find("umockdev") != std::string::npos;
    }

    std::string Root() const {
        gchar* root = umockdev_testbed_get_root_dir(m_testbed);
        std::string path(root);
        g_free(root);
        return path;
    }

    // Devices as umockdev-record writes them: paragraphs of P:, N:, E: and A: lines.
    void Add(const std::string& description) {
        GError* error = nullptr;
        if (umockdev_testbed_add_from_string(m_testbed, description.c_str(), &error) == FALSE) {
            const std::string message = error != nullptr ? error->message : "unknown error";
            g_clear_error(&error);
            throw std::runtime_error("umockdev: " + message);
        }
    }

    // A USB device `port` ("1-1") with its strings, for a serial adapter or a printer to sit on.
    void AddUsbDevice(const std::string& port, const std::string& manufacturer,
                      const std::string& product, const std::string& serial) {
        std::string device =
            "P: /devices/pci0000:00/usb1/" + port +
            "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: manufacturer=" + manufacturer +
            "\nA: product=" + product + "\n";
        if (!serial.empty()) {
            device += "A: serial=" + serial + "\n";
        }
        Add(device + "\nP: " + Interface(port) + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n");
    }

    // /dev/ttyUSBn on the USB device at `port`; `links` is udev's DEVLINKS property.
    std::string AddSerialAdapter(const std::string& name, const std::string& port,
                                 const std::string& links = "") {
        const std::string path = Interface(port) + "/" + name + "/tty/" + name;
        Add("P: " + path + "\nN: " + name + "\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/" + name +
            (links.empty() ? "" : "\nE: DEVLINKS=" + links) + "\n");
        return "/sys" + path;
    }

    // /dev/usb/lpN on the USB device at `port`, with an IEEE 1284 ID unless it is empty. Its
    // number is the node's minor, which the test bed needs to be unique.
    std::string AddUsbPrinter(const std::string& name, const std::string& port,
                              const std::string& ieee1284Id) {
        const std::string path = Interface(port) + "/usbmisc/" + name;
        Add("P: " + path + "\nN: usb/" + name + "\nE: SUBSYSTEM=usbmisc\nE: DEVNAME=/dev/usb/" +
            name + "\nA: dev=180:" + name.substr(2) + "\n" +
            (ieee1284Id.empty() ? "" : "A: ieee1284_id=" + ieee1284Id + "\n"));
        return "/sys" + path;
    }

    // Unplugging: the removal event, then the device is gone from /sys and /dev.
    void Remove(const std::string& syspath) {
        umockdev_testbed_uevent(m_testbed, syspath.c_str(), "remove");
        umockdev_testbed_remove_device(m_testbed, syspath.c_str());
    }

    // The test's end of a node; owned by the test bed.
    int MasterFd(const std::string& node) const {
        return umockdev_testbed_get_dev_fd(m_testbed, node.c_str());
    }

    // Makes the printer at `node` answer LPGETSTATUS with the port status byte `status`, as its
    // driver does, and fail every write with `writeError` unless that is 0. Replaces any answer
    // the node gave before. The answers come from the test bed's own thread; a node that is
    // not there answers nothing.
    void AnswerPortStatus(const std::string& node, int status, int writeError = 0) {
        umockdev_testbed_detach_ioctl(m_testbed, node.c_str(), nullptr);
        UMockdevIoctlBase* handler = umockdev_ioctl_base_new();
        auto* answer = new PrinterAnswer{status, writeError};
        g_signal_connect_data(handler, "handle-ioctl", G_CALLBACK(AnswerIoctl), answer,
                              DeleteAnswer, GConnectFlags{});
        g_signal_connect(handler, "handle-write", G_CALLBACK(AnswerWrite), answer);
        umockdev_testbed_attach_ioctl(m_testbed, node.c_str(), handler, nullptr);
        g_object_unref(handler);
    }

private:
    struct PrinterAnswer {
        int status;
        int writeError;
    };

    static gboolean AnswerIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        if (umockdev_ioctl_client_get_request(client) != LPGETSTATUS) {
            return FALSE; // the driver's default: not a request this device knows
        }
        UMockdevIoctlData* value = umockdev_ioctl_data_resolve(
            umockdev_ioctl_client_get_arg(client), 0, sizeof(int), nullptr);
        std::memcpy(value->data, &static_cast<PrinterAnswer*>(data)->status, sizeof(int));
        umockdev_ioctl_client_complete(client, 0, 0);
        g_object_unref(value);
        return TRUE;
    }

    // Without an error to give, the bytes go on to the node as they do without an answer.
    static gboolean AnswerWrite(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
        const int error = static_cast<PrinterAnswer*>(data)->writeError;
        if (error == 0) {
            return FALSE;
        }
        umockdev_ioctl_client_complete(client, -1, error);
        return TRUE;
    }

    static void DeleteAnswer(gpointer data, GClosure*) { delete static_cast<PrinterAnswer*>(data); }

    static std::string Interface(const std::string& port) {
        return "/devices/pci0000:00/usb1/" + port + "/" + port + ":1.0";
    }

    UMockdevTestbed* m_testbed;
};
