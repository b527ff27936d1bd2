// Runs under umockdev-wrapper: the devices are made up in a private /sys and /dev, plugged and
// unplugged while the dialogs are open.

// glib's headers, in the test bed, come before Qt, whose 'signals' keyword would break them.
// clang-format off
#include "tests/MockDevices.h"
// clang-format on

#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/ports/PortRow.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

TEST(PortsPlugTest, ListsAndPortTipsFollowPlugAndUnplug) {
    ASSERT_TRUE(MockDevices::Active()) << "run under umockdev-wrapper";
    const WorkDirectory dir;
    ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.path().string());
    environment.Set("OUTPORT_COM1", "/dev/ttyUSB0");
    MockDevices devices;
    devices.AddUsbDevice("1-1", "Acme", "Label UART", "");

    CSetupDlg setup;
    setup.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup));
    QWidget* com1 = setup.GetDlgItem(IDC_COM1);
    EXPECT_TRUE(QTest::qWaitFor(
        [com1] { return com1->toolTip() == "/dev/ttyUSB0 \u2014 not connected"; }, 10000))
        << com1->toolTip().toStdString();

    CPortsDialog ports;
    ports.show();
    QComboBox* box = ports.findChild<CPortRow*>("COM2")->Target();
    const QString entry = QStringLiteral("Acme Label UART (/dev/ttyUSB0)");
    EXPECT_EQ(box->findText(entry), -1);

    const std::string adapter = devices.AddSerialAdapter("ttyUSB0", "1-1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->findText(entry) >= 0; }, 10000));
    EXPECT_EQ(box->itemData(box->findText(entry)).toString(), "serial:/dev/ttyUSB0");
    EXPECT_TRUE(QTest::qWaitFor([&] { return com1->toolTip().contains("Acme Label UART"); }, 10000))
        << com1->toolTip().toStdString();

    devices.Remove(adapter);
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->findText(entry) < 0; }, 10000));
    // The test bed keeps the node in its /dev, so the tip loses the adapter's name only.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return !com1->toolTip().contains("Acme Label UART"); }, 10000))
        << com1->toolTip().toStdString();
}

} // namespace
