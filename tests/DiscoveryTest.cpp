// Discovery, usb:// names, the device monitor and sends, against devices umockdev makes up.
#include "base/UniqueFd.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/MockDevices.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <gtest/gtest.h>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kFtdiLink = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A12345-if00-port0";

bool SendTo(const std::string& uri, Bytes block = TrickyBlock()) {
    return OutPortToUri(uri.c_str(), static_cast<int>(block.size()), block.data()) == 1;
}

std::string LastError() {
    return OutPortLastError();
}

struct Listed {
    OutPortDeviceKind kind;
    std::string node;
    std::string uri;
    std::string description;
    bool usable;
    std::string group;
    std::string fix;
};

std::vector<Listed> List() {
    OutPortDeviceList* list = OutPortListDevices();
    std::vector<Listed> devices;
    for (int i = 0; i < OutPortDeviceCount(list); ++i) {
        const OutPortDevice* d = OutPortDeviceAt(list, i);
        devices.push_back(
            {d->kind, d->node, d->uri, d->description, d->usable == 1, d->group, d->fix});
    }
    OutPortFreeDevices(list);
    return devices;
}

std::vector<std::string> Nodes() {
    std::vector<std::string> nodes;
    for (const Listed& device : List()) {
        nodes.push_back(device.node);
    }
    return nodes;
}

std::optional<Listed> Find(const std::string& node) {
    for (const Listed& device : List()) {
        if (device.node == node) {
            return device;
        }
    }
    return std::nullopt;
}

struct Described {
    bool valid;
    std::string device;
    std::string description;
    bool present;
    bool usable;
    std::string status;
    std::string fix;
};

Described Describe(const std::string& uri) {
    OutPortTarget* t = OutPortDescribeUri(uri.c_str());
    Described described{t->valid == 1,  t->device, t->description, t->present == 1,
                        t->usable == 1, t->status, t->fix};
    OutPortFreeTarget(t);
    return described;
}

class DiscoveryTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MockDevices::Active()) << "run this test under umockdev-wrapper";
    }

    // A printer's USB device and its printer-class node.
    std::string AddPrinter(const std::string& name, const std::string& port,
                           const std::string& ieee1284Id, const std::string& usbSerial = "") {
        m_devices.AddUsbDevice(port, "Acme Inc", "Label Printer", usbSerial);
        return m_devices.AddUsbPrinter(name, port, ieee1284Id);
    }

    MockDevices m_devices;
    ScopedEnvironment m_environment;
};

TEST_F(DiscoveryTest, SerialLinesWithHardwareBehindThemAreListedInNodeOrder) {
    m_devices.AddUsbDevice("1-1", "FTDI", "FT232R USB UART", "A12345");
    m_devices.AddSerialAdapter("ttyUSB10", "1-1");
    m_devices.AddUsbDevice("1-2", "Prolific", "USB-Serial Controller", "");
    m_devices.AddSerialAdapter("ttyUSB2", "1-2");
    // Built-in UART slots: only one with a UART behind it, and a serial console, which is
    // skipped. ttyS2 has no type attribute and refuses TIOCGSERIAL, like a pty.
    m_devices.Add("P: /devices/platform/serial8250\nE: SUBSYSTEM=platform\n\n"
                  "P: /devices/platform/serial8250/tty/ttyS0\nN: ttyS0\nE: SUBSYSTEM=tty\n"
                  "E: DEVNAME=/dev/ttyS0\nA: type=4\n\n"
                  "P: /devices/platform/serial8250/tty/ttyS1\nN: ttyS1\nE: SUBSYSTEM=tty\n"
                  "E: DEVNAME=/dev/ttyS1\nA: type=0\n\n"
                  "P: /devices/platform/serial8250/tty/ttyS2\nN: ttyS2\nE: SUBSYSTEM=tty\n"
                  "E: DEVNAME=/dev/ttyS2\n\n"
                  "P: /devices/platform/serial8250/tty/ttyS3\nN: ttyS3\nE: SUBSYSTEM=tty\n"
                  "E: DEVNAME=/dev/ttyS3\nA: type=4\nA: console=Y\n");
    // A card known only to udev's database.
    m_devices.Add("P: /devices/pci0000:00/0000:00:16.3\nE: SUBSYSTEM=pci\n\n"
                  "P: /devices/pci0000:00/0000:00:16.3/tty/ttyS4\nN: ttyS4\nE: SUBSYSTEM=tty\n"
                  "E: DEVNAME=/dev/ttyS4\nA: type=4\nE: ID_VENDOR_FROM_DATABASE=Intel Corporation\n"
                  "E: ID_MODEL_FROM_DATABASE=Serial Controller\n");
    // Virtual terminals and the console have no hardware.
    m_devices.Add(
        "P: /devices/virtual/tty/tty0\nN: tty0\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/tty0\n\n"
        "P: /devices/virtual/tty/ttyprintk\nN: ttyprintk\nE: SUBSYSTEM=tty\n"
        "E: DEVNAME=/dev/ttyprintk\n");

    const std::vector<Listed> devices = List();
    ASSERT_EQ(Nodes(), (std::vector<std::string>{"/dev/ttyS0", "/dev/ttyS4", "/dev/ttyUSB2",
                                                 "/dev/ttyUSB10"}));
    EXPECT_EQ(devices[0].description, "Serial port");
    EXPECT_EQ(devices[1].description, "Intel Corporation Serial Controller");
    EXPECT_EQ(devices[2].description, "Prolific USB-Serial Controller");
    EXPECT_EQ(devices[3].description, "FTDI FT232R USB UART");
    for (const Listed& device : devices) {
        EXPECT_EQ(device.kind, OUTPORT_DEVICE_SERIAL);
        EXPECT_EQ(device.uri, "serial:" + device.node);
        EXPECT_TRUE(device.usable) << device.node;
        EXPECT_EQ(device.fix, "");
    }
}

TEST_F(DiscoveryTest, SerialAdapterIsNamedByItsByIdLinkAndReachedThroughIt) {
    m_devices.AddUsbDevice("1-1", "FTDI", "FT232R USB UART", "A12345");
    m_devices.AddSerialAdapter("ttyUSB0", "1-1",
                               "/dev/serial/by-path/pci-usb-0:1:1.0 " + kFtdiLink);
    // udev's database names a link that is not there: the node is the name then.
    m_devices.AddUsbDevice("1-2", "FTDI", "FT232R USB UART", "B67890");
    m_devices.AddSerialAdapter("ttyUSB1", "1-2", "/dev/serial/by-id/usb-FTDI-B67890");
    const fs::path links = fs::path(m_devices.Root()) / "dev/serial/by-id";
    fs::create_directories(links);
    fs::create_symlink("../../ttyUSB0", links / fs::path(kFtdiLink).filename());

    const std::optional<Listed> linked = Find("/dev/ttyUSB0");
    ASSERT_TRUE(linked.has_value());
    EXPECT_EQ(linked->uri, "serial:" + kFtdiLink);
    const std::optional<Listed> unlinked = Find("/dev/ttyUSB1");
    ASSERT_TRUE(unlinked.has_value());
    EXPECT_EQ(unlinked->uri, "serial:/dev/ttyUSB1");

    const Described described = Describe(linked->uri);
    EXPECT_TRUE(described.valid && described.present && described.usable);
    EXPECT_EQ(described.device, kFtdiLink);
    EXPECT_EQ(described.description, "FTDI FT232R USB UART");
    EXPECT_EQ(described.status, "ready");

    const int line = m_devices.MasterFd("/dev/ttyUSB0");
    ASSERT_TRUE(OutPortProbe(linked->uri.c_str()) == 1) << LastError();
    EXPECT_TRUE(ReadUntilQuiet(line).empty());
    ASSERT_TRUE(SendTo(linked->uri + "?baud=19200")) << LastError();
    EXPECT_EQ(ReadUntilQuiet(line), TrickyBlock());
}

TEST_F(DiscoveryTest, UsbPrinterIsNamedByItsIeee1284IdentityWithUsbStringsFillingTheGaps) {
    AddPrinter("lp0", "1-1", "MANUFACTURER:Acme;MODEL:LP 2824;SERIALNUMBER:12345;", "U111");
    AddPrinter("lp1", "1-2", "MFG:Acme;MDL:LP-2824;CMD:ZPL;", "U222");
    m_devices.AddUsbDevice("1-3", "Acme", "Acme LP-3000", "");
    m_devices.AddUsbPrinter("lp2", "1-3", "");
    m_devices.Add("P: /devices/platform/parport_pc/parport0/printer/lp0\nN: lp0\n"
                  "E: SUBSYSTEM=printer\nE: DEVNAME=/dev/lp0\nA: dev=6:0\n");

    const std::vector<Listed> devices = List();
    ASSERT_EQ(Nodes(), (std::vector<std::string>{"/dev/usb/lp0", "/dev/usb/lp1", "/dev/usb/lp2",
                                                 "/dev/lp0"}));
    EXPECT_EQ(devices[0].uri, "usb://Acme/LP%202824?serial=12345");
    EXPECT_EQ(devices[0].description, "Acme LP 2824");
    EXPECT_EQ(devices[1].uri, "usb://Acme/LP-2824?serial=U222");
    EXPECT_EQ(devices[2].uri, "usb://Acme/Acme%20LP-3000");
    EXPECT_EQ(devices[2].description, "Acme LP-3000");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(devices[i].kind, OUTPORT_DEVICE_USB_PRINTER);
    }
    EXPECT_EQ(devices[3].kind, OUTPORT_DEVICE_PARALLEL);
    EXPECT_EQ(devices[3].uri, "parallel:/dev/lp0");
    EXPECT_EQ(devices[3].description, "Parallel port");
}

TEST_F(DiscoveryTest, PrinterWithoutSerialNumberIsReachedByMakeAndModel) {
    AddPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;");
    const std::optional<Listed> printer = Find("/dev/usb/lp0");
    ASSERT_TRUE(printer.has_value());
    EXPECT_EQ(printer->uri, "usb://Acme/LP-2824");

    const int node = m_devices.MasterFd("/dev/usb/lp0");
    ASSERT_TRUE(OutPortProbe(printer->uri.c_str()) == 1) << LastError();
    EXPECT_TRUE(ReadUntilQuiet(node).empty());
    ASSERT_TRUE(SendTo("usb://ACME/lp%2D2824")) << LastError();
    EXPECT_EQ(ReadUntilQuiet(node), TrickyBlock());
}

TEST_F(DiscoveryTest, TwoPrintersOfOneModelAreToldApartBySerialNumber) {
    AddPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;SN:111;");
    AddPrinter("lp1", "1-2", "MFG:Acme;MDL:LP-2824;SN:222;");
    const std::vector<Listed> devices = List();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].uri, "usb://Acme/LP-2824?serial=111");
    EXPECT_EQ(devices[1].uri, "usb://Acme/LP-2824?serial=222");

    ASSERT_TRUE(SendTo(devices[1].uri)) << LastError();
    EXPECT_EQ(ReadUntilQuiet(m_devices.MasterFd("/dev/usb/lp1")), TrickyBlock());
    EXPECT_TRUE(ReadUntilQuiet(m_devices.MasterFd("/dev/usb/lp0")).empty());
    EXPECT_EQ(Describe(devices[1].uri).device, "/dev/usb/lp1");

    EXPECT_FALSE(SendTo("usb://Acme/LP-2824?serial=333"));
    EXPECT_EQ(LastError(), "usb://Acme/LP-2824?serial=333: no USB printer Acme LP-2824 "
                           "(serial 333) is connected");
}

TEST_F(DiscoveryTest, UnpluggingIsReportedAndTheUsbNameFollowsThePrinterToItsNextNode) {
    const std::string syspath = AddPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;SN:12345;");
    const std::string uri = "usb://Acme/LP-2824?serial=12345";
    OutPortMonitor* monitor = OutPortMonitorOpen();
    ASSERT_NE(monitor, nullptr);
    pollfd wait{OutPortMonitorFd(monitor), POLLIN, 0};

    m_devices.Remove(syspath);
    ASSERT_EQ(poll(&wait, 1, 5000), 1);
    EXPECT_EQ(OutPortMonitorRead(monitor), 1);
    EXPECT_TRUE(List().empty());
    m_environment.Set("OUTPORT_LPT1", uri);
    Bytes block = TrickyBlock();
    EXPECT_EQ(OutPort(static_cast<int>(block.size()), 2, block.data()), 0);
    m_environment.Unset("OUTPORT_LPT1");
    EXPECT_EQ(LastError(), "LPT1 (" + uri +
                               "): no USB printer Acme LP-2824 (serial 12345) is "
                               "connected");
    const Described gone = Describe(uri);
    EXPECT_TRUE(gone.valid);
    EXPECT_FALSE(gone.present || gone.usable);
    EXPECT_EQ(gone.status, "not connected");
    EXPECT_EQ(gone.device, "");

    // A virtual terminal coming is no news; the printer coming back on another node is.
    m_devices.Add(
        "P: /devices/virtual/tty/tty9\nN: tty9\nE: SUBSYSTEM=tty\nE: DEVNAME=/dev/tty9\n");
    ASSERT_EQ(poll(&wait, 1, 5000), 1);
    EXPECT_EQ(OutPortMonitorRead(monitor), 0);
    m_devices.AddUsbPrinter("lp3", "1-1", "MFG:Acme;MDL:LP-2824;SN:12345;");
    ASSERT_EQ(poll(&wait, 1, 5000), 1);
    EXPECT_EQ(OutPortMonitorRead(monitor), 1);
    OutPortMonitorClose(monitor);

    ASSERT_TRUE(SendTo(uri)) << LastError();
    EXPECT_EQ(ReadUntilQuiet(m_devices.MasterFd("/dev/usb/lp3")), TrickyBlock());
}

// Root writes anything, so the checks run as an ordinary user in a child process, which
// reports the first check that failed as its exit status.
TEST_F(DiscoveryTest, DeviceWithoutAccessNamesTheGroupAndTheFix) {
    m_devices.AddUsbDevice("1-1", "FTDI", "FT232R USB UART", "A12345");
    m_devices.AddSerialAdapter("ttyUSB0", "1-1");
    AddPrinter("lp0", "1-2", "MFG:Acme;MDL:LP-2824;");
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr);
    const std::string root = m_devices.Root();
    ASSERT_EQ(chmod(root.c_str(), 0755), 0);
    // The test bed answers the device's ioctls through this socket, for any user.
    ASSERT_EQ(chmod((root + "/ioctl/_default").c_str(), 0777), 0);
    // The nodes are links to pseudo-terminals, which these calls change.
    ASSERT_EQ(chown((root + "/dev/ttyUSB0").c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod((root + "/dev/ttyUSB0").c_str(), 0660), 0);
    ASSERT_EQ(chown((root + "/dev/usb/lp0").c_str(), 0, 0), 0);
    ASSERT_EQ(chmod((root + "/dev/usb/lp0").c_str(), 0600), 0);

    const int failed = RunAsOrdinaryUser([] {
        const std::optional<Listed> line = Find("/dev/ttyUSB0");
        if (!line || line->usable || line->group != "dialout" ||
            line->fix != "sudo adduser $USER dialout, then log out and in again") {
            return 1;
        }
        const std::optional<Listed> printer = Find("/dev/usb/lp0");
        if (!printer || printer->usable ||
            printer->fix != "ask the administrator for write access to /dev/usb/lp0") {
            return 2;
        }
        const Described described = Describe("serial:/dev/ttyUSB0");
        if (!described.present || described.usable ||
            described.status != "no access — join the 'dialout' group" ||
            described.fix != line->fix) {
            return 3;
        }
        // A printer that cannot be opened cannot be asked, and says why.
        OutPortTarget* unasked = OutPortDescribeUri("/dev/usb/lp0");
        const std::string words = unasked->printer.words;
        OutPortFreeTarget(unasked);
        if (words != "status unknown: no access") {
            return 5;
        }
        if (SendTo("serial:/dev/ttyUSB0") ||
            LastError() != "/dev/ttyUSB0: no access — join the 'dialout' group (sudo adduser "
                           "$USER dialout, then log out and in again)") {
            return 4;
        }
        return 0;
    });
    EXPECT_EQ(failed, 0) << "the child's check that failed";
}

TEST_F(DiscoveryTest, NetworkCaptureAndMalformedUrisAreDescribedWithoutTouchingThem) {
    const Described network = Describe("socket://192.0.2.15");
    EXPECT_TRUE(network.valid && network.present && network.usable);
    EXPECT_EQ(network.device, "192.0.2.15:9100");
    EXPECT_EQ(network.status, "ready");

    const fs::path capture = fs::path(m_devices.Root()) / "capture.bin";
    const Described file = Describe("file:" + capture.string());
    EXPECT_TRUE(file.present && file.usable);
    EXPECT_FALSE(fs::exists(capture));
    const Described nowhere = Describe("file:" + m_devices.Root() + "/missing/capture.bin");
    EXPECT_FALSE(nowhere.usable);
    EXPECT_EQ(nowhere.status, "no such file");

    const Described missing = Describe("/dev/ttyUSB7");
    EXPECT_TRUE(missing.valid);
    EXPECT_FALSE(missing.present);
    EXPECT_EQ(missing.status, "not connected");

    const Described malformed = Describe("usb://Acme");
    EXPECT_FALSE(malformed.valid);
    EXPECT_NE(malformed.status.find("usb://MAKE/MODEL"), std::string::npos) << malformed.status;
}

// Ready means a send can start; a target that is there but would refuse one says why.
TEST_F(DiscoveryTest, TargetsThereThatCannotTakeASendAreNotReady) {
    const std::string root = m_devices.Root();
    // A USB printer node with no printer behind it, whose open fails as an unplugged one's does.
    const std::string unplugged = root + "/lp9";
    const bool nodeMade = mknod(unplugged.c_str(), S_IFCHR | 0600, makedev(180, 9)) == 0;
    ASSERT_EQ(mkfifo((root + "/unread.fifo").c_str(), 0600), 0);
    ASSERT_EQ(mkfifo((root + "/read.fifo").c_str(), 0600), 0);
    const UniqueFd reader(open((root + "/read.fifo").c_str(), O_RDONLY | O_NONBLOCK));
    const std::tuple<std::string, bool, std::string> cases[] = {
        {root, false, "not a device, FIFO or file"},
        {root + "/unread.fifo", false, "not connected — nothing is reading from it"},
        {root + "/read.fifo", true, "ready"},
        {unplugged, false, "not connected — the printer is unplugged or switched off"},
    };
    for (const auto& [uri, usable, status] : cases) {
        SCOPED_TRACE(uri);
        if (uri == unplugged && !nodeMade) {
            GTEST_SKIP() << "no device node can be made here";
        }
        const Described described = Describe(uri);
        EXPECT_TRUE(described.present);
        EXPECT_EQ(described.usable, usable);
        EXPECT_EQ(described.status, status);
        EXPECT_EQ(SendTo(uri), usable) << LastError();
    }
}

// A C caller's negative length or index is refused, never used to reach memory.
TEST_F(DiscoveryTest, CSurfaceRefusesANegativeLengthOrIndex) {
    m_devices.AddUsbDevice("1-1", "FTDI", "FT232R USB UART", "A12345");
    m_devices.AddSerialAdapter("ttyUSB0", "1-1");
    OutPortDeviceList* list = OutPortListDevices();
    ASSERT_EQ(OutPortDeviceCount(list), 1);
    EXPECT_EQ(OutPortDeviceAt(list, -1), nullptr);
    OutPortFreeDevices(list);
    const std::string capture = m_devices.Root() + "/capture.bin";
    for (const int length : {-1, INT_MIN}) {
        EXPECT_EQ(OutPortToUri(("file:" + capture).c_str(), length, TrickyBlock().data()), 0);
        EXPECT_EQ(LastError(), capture + ": nothing valid to send");
    }
    EXPECT_FALSE(fs::exists(capture));
}

TEST_F(DiscoveryTest, PortSettingSaysWhereItComesFrom) {
    const std::string configHome = m_devices.Root();
    m_environment.Set("XDG_CONFIG_HOME", configHome);
    m_environment.Set("OUTPORT_COM1", "usb://Acme/LP-2824");
    std::ofstream(configHome + "/outport.conf") << "# printers\nLPT2=socket://192.0.2.15\n";

    OutPortPortSetting* com1 = OutPortLookUpPort(0);
    ASSERT_NE(com1, nullptr);
    EXPECT_STREQ(com1->name, "COM1");
    EXPECT_STREQ(com1->uri, "usb://Acme/LP-2824");
    EXPECT_STREQ(com1->origin, "OUTPORT_COM1");
    EXPECT_EQ(com1->fromEnvironment, 1);
    OutPortFreePortSetting(com1);
    m_environment.Unset("OUTPORT_COM1");

    OutPortPortSetting* lpt2 = OutPortLookUpPort(3);
    EXPECT_STREQ(lpt2->uri, "socket://192.0.2.15");
    EXPECT_EQ(std::string(lpt2->origin), configHome + "/outport.conf line 2");
    EXPECT_EQ(lpt2->fromEnvironment, 0);
    EXPECT_STREQ(lpt2->error, "");
    OutPortFreePortSetting(lpt2);

    std::ofstream(configHome + "/outport.conf") << "LPT3=/dev/lp2\n";
    OutPortPortSetting* broken = OutPortLookUpPort(1);
    EXPECT_STREQ(broken->uri, "");
    EXPECT_NE(std::string(broken->error).find("line 1"), std::string::npos) << broken->error;
    OutPortFreePortSetting(broken);

    EXPECT_EQ(OutPortLookUpPort(4), nullptr);
    EXPECT_EQ(OutPortLookUpPort(-1), nullptr);
}

} // namespace
