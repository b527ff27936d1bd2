// What mocked USB printers and parallel ports report, as the Ports dialog, the port buttons,
// 'ports --json' and a failed send give it. Runs under umockdev-wrapper, whose ioctl handlers
// answer for the printers; the program started from here sees the same devices.

// glib's headers, in the test bed, come before Qt, whose 'signals' keyword would break them.
// clang-format off
#include "tests/MockDevices.h"
// clang-format on

#include "printer/outport/OutPort.h"
#include "tests/Endpoints.h"
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
#include <cerrno>
#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

class PortsStatusTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(MockDevices::Active()) << "run under umockdev-wrapper";
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.UnsetPorts();
        m_environment.Set("OUTPORT_LPT1", "usb://Acme/LP-2824?serial=12345");
        m_environment.Set("OUTPORT_LPT2", "parallel:/dev/lp0");
        m_environment.Set("OUTPORT_TIMEOUT_MS", "300");
    }

    void PlugPrinters() {
        m_devices.AddUsbDevice("1-1", "Acme", "LP-2824", "12345");
        m_devices.AddUsbPrinter("lp0", "1-1", "MFG:Acme;MDL:LP-2824;SN:12345;");
        m_devices.Add("P: /devices/platform/parport_pc/parport0/printer/lp0\nN: lp0\n"
                      "E: SUBSYSTEM=printer\nE: DEVNAME=/dev/lp0\nA: dev=6:0\n");
    }
    void Answer(int status, int writeError = 0) {
        m_devices.AnswerPortStatus("/dev/usb/lp0", status, writeError);
        m_devices.AnswerPortStatus("/dev/lp0", status, writeError);
    }

    // The Ports dialog's printer line for LPT1 and what its icon says.
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

// The open dialog asks the printer again when it is plugged in; each dialog opened asks it.
TEST_F(PortsStatusTest, DialogsAndPortsJsonShowWhatEachPrinterReports) {
    CPortsDialog watching;
    watching.show();
    EXPECT_EQ(PrinterLine(watching), std::make_pair(QString(), QString()));
    PlugPrinters();
    Answer(0x38);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !PrinterLine(watching).first.isEmpty(); }, 10000));
    EXPECT_EQ(PrinterLine(watching),
              std::make_pair(QString("printer: stopped: out of paper"), QString("error")));
    const struct {
        int status;
        const char* state;
        const char* reasons;
        QString words;
        QString health;
    } cases[] = {
        {0x18, "idle", "", "ready", "ready"},
        {0x38, "stopped", "media-empty-error", "stopped: out of paper", "error"},
        {0x08, "stopped", "offline-report", "stopped: off line", "error"},
        {0x10, "stopped", "other-error", "stopped: the printer reports an error", "error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        Answer(c.status);
        EXPECT_EQ(PrinterLine(CPortsDialog()), std::make_pair("printer: " + c.words, c.health));
        CSetupDlg setup;
        setup.Create();
        // The port buttons are described by a worker once the window is shown.
        QWidget* lpt1 = setup.GetDlgItem(IDC_LPT1);
        EXPECT_TRUE(QTest::qWaitFor([lpt1] { return !lpt1->toolTip().isEmpty(); }));
        EXPECT_EQ(lpt1->toolTip(), "/dev/usb/lp0 \u2014 Acme LP-2824\nprinter: " + c.words);

        QProcess program;
        program.start(QStringLiteral(TROVANEL_PROGRAM), {"ports", "--json"});
        ASSERT_TRUE(program.waitForFinished(30000));
        const QJsonObject json = QJsonDocument::fromJson(program.readAllStandardOutput()).object();
        const QJsonArray devices = json["devices"].toArray();
        const QJsonArray ports = json["ports"].toArray();
        for (const QJsonValue& entry : {devices[0], devices[1], ports[2], ports[3]}) {
            EXPECT_EQ(entry["printer_state"], c.state);
            EXPECT_EQ(
                entry["printer_state_reasons"],
                QJsonArray::fromStringList(QString(c.reasons).split(' ', Qt::SkipEmptyParts)));
            EXPECT_EQ(entry["printer_state_message"], "");
        }
    }
}

// The reason of a failed or stalled send ends with what the printer says is wrong.
TEST_F(PortsStatusTest, FailedSendSaysWhatThePrinterReports) {
    PlugPrinters();
    const struct {
        int port;
        int status;
        int writeError;
        const char* reason;
    } cases[] = {
        {2, 0x38, ENOSPC,
         "LPT1 (usb://Acme/LP-2824?serial=12345): out of paper or labels; the printer is out of "
         "paper"},
        {2, 0x08, EAGAIN,
         "LPT1 (usb://Acme/LP-2824?serial=12345): timed out after 300 ms \u2014 the printer may "
         "be stalled or offline; the printer is off line"},
        {3, 0x38, ENOSPC, "LPT2 (/dev/lp0): out of paper or labels; the printer is out of paper"},
    };
    Bytes block = TrickyBlock();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        Answer(c.status, c.writeError);
        EXPECT_EQ(OutPort(static_cast<int>(block.size()), c.port, block.data()), 0);
        EXPECT_EQ(std::string(OutPortLastError()), c.reason);
    }
}

} // namespace
