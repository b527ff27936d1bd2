// What mocked printers report, as the Ports dialog, the port buttons and 'ports --json' show
// it. Runs under umockdev-wrapper; the program started from here sees the same devices.

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

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <string>

namespace {

const char* const kPrinterUri = "usb://Acme/LP-2824?serial=12345";

class PortsStatusTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MockDevices::Active()) << "run under umockdev-wrapper";
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.UnsetPorts();
        m_environment.Set("OUTPORT_LPT1", kPrinterUri);
    }

    void PlugPrinter() {
        m_devices.AddUsbDevice("1-1", "Acme", "LP-2824", "12345");
        m_devices.AddUsbPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;SN:12345;");
    }

    // The Ports dialog's printer line and its icon's name for LPT1.
    static std::pair<QString, QString> PrinterLine(const CPortsDialog& dialog) {
        const auto* row = dialog.findChild<CPortRow*>("LPT1");
        const auto* icon = row->findChild<QLabel*>("printerIcon");
        return {row->findChild<QLabel*>("printer")->text(),
                icon->isVisibleTo(row) ? icon->accessibleName() : QString()};
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    MockDevices m_devices;
};

const struct {
    int status;
    const char* state;
    QStringList reasons;
    const char* words;
    const char* health;
} kStates[] = {
    {0x18, "idle", {}, "ready", "ready"},
    {0x38, "stopped", {"media-empty-error"}, "stopped: out of paper", "error"},
    {0x08, "stopped", {"offline-report"}, "stopped: off line", "error"},
    {0x10, "stopped", {"other-error"}, "stopped: the printer reports an error", "error"},
};

TEST_F(PortsStatusTest, PortsDialogAndPortButtonsShowWhatThePrinterReports) {
    PlugPrinter();
    for (const auto& c : kStates) {
        SCOPED_TRACE(c.words);
        m_devices.AnswerPortStatus("/dev/usb/lp0", c.status);
        const CPortsDialog dialog;
        EXPECT_EQ(PrinterLine(dialog),
                  std::make_pair(QStringLiteral("printer: ") + c.words, QString(c.health)));
        CSetupDlg setup;
        setup.Create();
        EXPECT_EQ(setup.GetDlgItem(IDC_LPT1)->toolTip(),
                  QStringLiteral("/dev/usb/lp0 \u2014 Acme LP-2824\nprinter: ") + c.words);
    }
}

TEST_F(PortsStatusTest, PortsDialogReadsThePrinterAgainWhenItIsPluggedIn) {
    CPortsDialog dialog;
    dialog.show();
    EXPECT_EQ(PrinterLine(dialog), std::make_pair(QString(), QString()));
    PlugPrinter();
    m_devices.AnswerPortStatus("/dev/usb/lp0", 0x38);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !PrinterLine(dialog).first.isEmpty(); }, 10000));
    EXPECT_EQ(PrinterLine(dialog),
              std::make_pair(QStringLiteral("printer: stopped: out of paper"), QString("error")));
}

TEST_F(PortsStatusTest, PortsJsonGivesTheStateAndItsReasons) {
    PlugPrinter();
    for (const auto& c : kStates) {
        SCOPED_TRACE(c.words);
        m_devices.AnswerPortStatus("/dev/usb/lp0", c.status);
        QProcess program;
        program.start(QStringLiteral(TROVANEL_PROGRAM), {"ports", "--json"});
        ASSERT_TRUE(program.waitForFinished(30000));
        const QJsonObject json = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
        const QJsonObject expected{{"printer_state", c.state},
                                   {"printer_state_reasons", QJsonArray::fromStringList(c.reasons)},
                                   {"printer_state_message", ""}};
        const QJsonObject device = json["devices"].toArray().at(0).toObject();
        const QJsonObject port = json["ports"].toArray().at(2).toObject();
        for (const QString& key : expected.keys()) {
            EXPECT_EQ(device[key], expected[key]) << key.toStdString();
            EXPECT_EQ(port[key], expected[key]) << key.toStdString();
        }
    }
}

} // namespace
