// Runs under umockdev-wrapper: the devices are made up in a private /sys and /dev, plugged and
// unplugged while the dialogs are open.

// glib's headers come before Qt, whose 'signals' keyword would break them.
// clang-format off
#include <umockdev.h>
// clang-format on

#include "PortRow.h"
#include "PortsDialog.h"
#include "SetupDialogTemplate.h"
#include "SetupDlg.h"
#include "WorkDirectory.h"

#include <QComboBox>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

constexpr const char* kAdapterPath = "/sys/devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0";

// A USB-serial adapter on the made-up bus, added and removed with their events.
class MockAdapter {
public:
    MockAdapter() : m_testbed(umockdev_testbed_new()) {}
    MockAdapter(const MockAdapter&) = delete;
    MockAdapter& operator=(const MockAdapter&) = delete;
    ~MockAdapter() { g_object_unref(m_testbed); }

    bool Plug() {
        GError* error = nullptr;
        const bool added = umockdev_testbed_add_from_string(
                               m_testbed,
                               "P: /devices/pci0000:00/usb1/1-1\n"
                               "E: SUBSYSTEM=usb\n"
                               "E: DEVTYPE=usb_device\n"
                               "A: manufacturer=Acme\n"
                               "A: product=Label UART\n"
                               "\n"
                               "P: /devices/pci0000:00/usb1/1-1/1-1:1.0\n"
                               "E: SUBSYSTEM=usb\n"
                               "E: DEVTYPE=usb_interface\n"
                               "\n"
                               "P: /devices/pci0000:00/usb1/1-1/1-1:1.0/ttyUSB0/tty/ttyUSB0\n"
                               "N: ttyUSB0\n"
                               "E: SUBSYSTEM=tty\n"
                               "E: DEVNAME=/dev/ttyUSB0\n",
                               &error) != FALSE;
        g_clear_error(&error);
        umockdev_testbed_uevent(m_testbed, kAdapterPath, "add");
        return added;
    }
    void Unplug() {
        umockdev_testbed_uevent(m_testbed, kAdapterPath, "remove");
        umockdev_testbed_remove_device(m_testbed, kAdapterPath);
    }

private:
    UMockdevTestbed* m_testbed;
};

bool UnderUmockdev() {
    const char* preload = std::getenv("LD_PRELOAD");
    return preload != nullptr && std::string(preload).find("umockdev") != std::string::npos;
}

TEST(PortsPlugTest, ListsAndPortTipsFollowPlugAndUnplug) {
    ASSERT_TRUE(UnderUmockdev()) << "run under umockdev-wrapper";
    const WorkDirectory dir;
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    setenv("OUTPORT_COM1", "/dev/ttyUSB0", 1);
    MockAdapter adapter;

    CSetupDlg setup;
    setup.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup));
    QWidget* com1 = setup.GetDlgItem(IDC_COM1);
    EXPECT_EQ(com1->toolTip(), "/dev/ttyUSB0 \u2014 not connected");

    CPortsDialog ports;
    ports.show();
    QComboBox* box = ports.findChild<CPortRow*>("COM2")->Target();
    const QString entry = QStringLiteral("Acme Label UART (/dev/ttyUSB0)");
    EXPECT_EQ(box->findText(entry), -1);

    ASSERT_TRUE(adapter.Plug());
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->findText(entry) >= 0; }, 10000));
    EXPECT_EQ(box->itemData(box->findText(entry)).toString(), "serial:/dev/ttyUSB0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return com1->toolTip().contains("Acme Label UART"); }, 10000))
        << com1->toolTip().toStdString();

    adapter.Unplug();
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->findText(entry) < 0; }, 10000));
    // The test bed keeps the node in its /dev, so the tip loses the adapter's name only.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !com1->toolTip().contains("Acme Label UART"); }, 10000))
        << com1->toolTip().toStdString();
    unsetenv("OUTPORT_COM1");
    unsetenv("XDG_CONFIG_HOME");
}

} // namespace
