#include "ui/ports/PortsDialog.h"

#include "base/UniqueFd.h"
#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/PortsDialogFixture.h"
#include "tests/PrintScheduler.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"
#include "ui/ports/NetworkPrinterDialog.h"
#include "ui/ports/PortRow.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/file.h>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

class PortsDialogTest : public PortsDialogFixture {};

const std::string kConfig = "# printers in the office\n"
                            "LPT1=/dev/usb/lp0\n"
                            "\n"
                            "COM1=/dev/ttyS0\n"
                            "# end\n";

TEST_F(PortsDialogTest, ChoosingADeviceKeepsItsUriAndShowsItsLineSettings) {
    PseudoTerminal adapter;
    ASSERT_FALSE(adapter.Name().empty());
    const QString node = QString::fromStdString(adapter.Name());
    m_devices = {{node, QStringLiteral("serial:") + node, QStringLiteral("Test USB UART"), {}}};
    WriteConfig(kConfig);
    Open();
    EXPECT_EQ(Box("COM1")->currentText(), "/dev/ttyS0");

    Pick("COM1", QStringLiteral("Test USB UART (%1)").arg(node));
    EXPECT_EQ(Box("COM1")->currentText(), QStringLiteral("serial:") + node);
    EXPECT_EQ(Status("COM1"), "ready");
    QComboBox* speed = LineSetting("COM1", "Speed");
    ASSERT_NE(speed, nullptr);
    EXPECT_TRUE(speed->isVisible());
    EXPECT_EQ(speed->currentText(), "9600"); // the library's defaults
    EXPECT_EQ(LineSetting("COM1", "Data bits")->currentText(), "8");
    EXPECT_EQ(LineSetting("COM1", "Parity")->currentText(), "none");
    EXPECT_EQ(LineSetting("COM1", "Stop bits")->currentText(), "1");
    EXPECT_EQ(LineSetting("COM1", "Flow control")->currentText(), "none");

    // A changed setting goes into the URI, with every option spelt out.
    speed->setFocus(Qt::TabFocusReason);
    QTest::keyClick(speed, Qt::Key_Down);
    QComboBox* flow = LineSetting("COM1", "Flow control");
    flow->setFocus(Qt::TabFocusReason);
    QTest::keyClick(flow, Qt::Key_End);
    EXPECT_EQ(Box("COM1")->currentText(),
              QStringLiteral("serial:") + node + "?baud=19200+bits=8+parity=none+stop=1+flow=hard");

    // Arrow keys on the closed list step over the prompts without opening them.
    const QString chosen = Box("COM1")->currentText();
    QTest::mouseClick(Box("COM1")->lineEdit(), Qt::LeftButton);
    for (int i = 0; i < Box("COM1")->count(); ++i) {
        QTest::keyClick(Box("COM1"), Qt::Key_Down);
    }
    EXPECT_EQ(m_prompts, 0);
    EXPECT_EQ(Box("COM1")->currentText(), chosen);

    // Typed options show in the settings; a target that is no serial line hides them.
    TypeUri("COM1", QStringLiteral("serial:%1?baud=4800+parity=even").arg(node));
    EXPECT_EQ(speed->currentText(), "4800");
    EXPECT_EQ(LineSetting("COM1", "Parity")->currentText(), "even");
    TypeUri("COM1", QStringLiteral("file:/tmp/x.bin"));
    EXPECT_FALSE(speed->isVisible());
    EXPECT_FALSE(LineSetting("LPT1", "Speed")->isVisible());
}

TEST_F(PortsDialogTest, TestOpensTheTargetOnAWorkerAndReportsTheOutcome) {
    PseudoTerminal adapter;
    Open();
    TypeUri("COM2", QStringLiteral("serial:") + QString::fromStdString(adapter.Name()));
    EXPECT_EQ(Status("COM2"), "ready");
    // A serial line says nothing about the printer, which is therefore not called ready; nor is
    // that trouble worth a warning sign.
    const QString unknown = "printer: status not reported by this connection";
    EXPECT_EQ(Row("COM2")->findChild<QLabel*>("printer")->text(), unknown);
    EXPECT_FALSE(Row("COM2")->findChild<QLabel*>("printerIcon")->isVisibleTo(Row("COM2")));
    RunTest("COM2");
    EXPECT_EQ(Status("COM2"), "test passed: the device opened and closed again");
    EXPECT_EQ(Box("COM2")->accessibleDescription(), Status("COM2") + "\n" + unknown);

    adapter.CloseMaster();
    RunTest("COM2");
    EXPECT_TRUE(Status("COM2").startsWith("test failed\n")) << Status("COM2").toStdString();
    EXPECT_GT(Status("COM2").size(), QString("test failed\n").size()); // with the reason

    // Editing the target shows its state again.
    TypeUri("COM2", QStringLiteral("/no/such/device"));
    EXPECT_EQ(Status("COM2"), "not connected");
    TypeUri("COM2", QStringLiteral("relative/path"));
    EXPECT_TRUE(Status("COM2").startsWith("expected an absolute path"));
}

TEST_F(PortsDialogTest, NetworkPrinterAsksForHostAndPort) {
    LoopbackListener printer;
    ASSERT_NE(printer.Port(), 0);
    m_answerPrompt = [&printer](QDialog& prompt) {
        ASSERT_NE(qobject_cast<CNetworkPrinterDialog*>(&prompt), nullptr);
        auto* port = prompt.findChild<QSpinBox*>();
        EXPECT_EQ(port->value(), 9100);
        auto* ok = prompt.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        auto* host = prompt.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly);
        EXPECT_FALSE(ok->isEnabled()); // no host yet
        QTest::keyClicks(host, "127.0.0.1");
        QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(port, QString::number(printer.Port()));
        QTest::keyClick(port, Qt::Key_Return);
    };
    Open();
    Pick("LPT2", "Network printer\u2026");
    const QString uri = QStringLiteral("socket://127.0.0.1:%1").arg(printer.Port());
    EXPECT_EQ(Box("LPT2")->currentText(), uri);
    EXPECT_EQ(Status("LPT2"), "ready");
    RunTest("LPT2");
    EXPECT_EQ(Status("LPT2"), "test passed: the device opened and closed again");

    // Cancelling the prompt puts back what was there.
    m_answerPrompt = [](QDialog& prompt) {
        QTest::keyClick(&prompt, Qt::Key_Escape);
        EXPECT_FALSE(prompt.isVisible());
    };
    Pick("LPT2", "Capture to file\u2026");
    Pick("LPT2", "Network printer\u2026");
    EXPECT_EQ(Box("LPT2")->currentText(), uri);
}

TEST_F(PortsDialogTest, CaptureFileAndOkChangeOnlyTheChangedLines) {
    WriteConfig(kConfig);
    const std::string capture = (m_dir.path() / "capture.bin").string();
    m_answerPrompt = [this](QDialog& prompt) {
        ASSERT_NE(qobject_cast<QFileDialog*>(&prompt), nullptr);
        auto* name = prompt.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(static_cast<QFileDialog&>(prompt).directory().absolutePath(),
                  QString::fromStdString(m_dir.path().string())); // the home folder
        QTest::keyClicks(name, "capture.bin");
        auto* buttons = prompt.findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
    };
    Open();
    Pick("COM2", "Capture to file\u2026");
    EXPECT_EQ(Box("COM2")->currentText(), QString::fromStdString("file:" + capture));
    EXPECT_EQ(Status("COM2"), "ready");
    TypeUri("LPT1", "/dev/usb/lp0"); // typed, but as it was
    TypeUri("COM1", "");             // back to the default

    PressOk();
    EXPECT_TRUE(m_messages.empty());
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ReadFile(m_config), "# printers in the office\n"
                                  "LPT1=/dev/usb/lp0\n"
                                  "\n"
                                  "# end\n"
                                  "COM2=file:" +
                                      capture + "\n");
}

TEST_F(PortsDialogTest, CancelAndAnUnchangedOkLeaveTheFileAlone) {
    WriteConfig(kConfig);
    Open();
    TypeUri("COM1", "file:/tmp/elsewhere.bin");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(ReadFile(m_config), kConfig);

    std::filesystem::remove(m_config);
    Open();
    PressOk();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_FALSE(std::filesystem::exists(m_config)); // nothing changed, nothing written
}

TEST_F(PortsDialogTest, OkWaitsForAnotherSaveAndAppliesItsLinesOnTopOfIt) {
    WriteConfig(kConfig);
    m_environment.Set("OUTPORT_TIMEOUT_MS", "200");
    Open();
    TypeUri("COM2", "/dev/ttyUSB1");
    WriteConfig(kConfig + "LPT2=/dev/lp9\n"); // another program's change meanwhile
    {
        const UniqueFd lock(open((m_config.parent_path() / ".outport.conf.lock").c_str(),
                                 O_CREAT | O_RDONLY | O_CLOEXEC, 0600));
        ASSERT_EQ(flock(lock.get(), LOCK_EX), 0);
        PressOk();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_TRUE(m_messages[0].endsWith("locked for 200 ms; nothing was changed."));
        EXPECT_TRUE(m_dialog->isVisible());
    }
    PressOk();
    EXPECT_EQ(ReadFile(m_config), kConfig + "LPT2=/dev/lp9\nCOM2=/dev/ttyUSB1\n");
}

TEST_F(PortsDialogTest, OkThatCannotKeepTheChoiceSaysWhyAndStaysOpen) {
    Open();
    TypeUri("COM1", "relative/path");
    PressOk();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_TRUE(m_messages[0].startsWith("COM1: expected an absolute path"));
    EXPECT_TRUE(Box("COM1")->hasFocus());
    EXPECT_TRUE(m_dialog->isVisible());
    TypeUri("COM1", "file:/tmp/capture.bin "); // not trimmed into another file's name
    PressOk();
    EXPECT_EQ(m_messages.back(), "COM1: the device URI ends with a blank");
    // Every changed port is checked, not only the first.
    TypeUri("COM1", "file:/tmp/capture.bin");
    TypeUri("LPT2", "relative/path");
    PressOk();
    EXPECT_TRUE(m_messages.back().startsWith("LPT2: expected an absolute path"));
    EXPECT_TRUE(Box("LPT2")->hasFocus());
    TypeUri("LPT2", "file:/tmp/capture-lpt2.bin");

    // The configuration folder cannot be made: a file stands in its way.
    std::ofstream(m_dir.path() / "config") << "not a folder";
    PressOk();
    ASSERT_EQ(m_messages.size(), 4u);
    EXPECT_TRUE(m_messages[3].startsWith("Cannot save ")) << m_messages[3].toStdString();
    EXPECT_TRUE(m_dialog->isVisible());
}

TEST_F(PortsDialogTest, PortSetByTheEnvironmentIsReadOnly) {
    m_environment.Set("OUTPORT_COM2", "file:/tmp/from-the-environment.bin");
    Open();
    EXPECT_FALSE(Box("COM2")->isEnabled());
    EXPECT_EQ(Box("COM2")->currentText(), "file:/tmp/from-the-environment.bin");
    EXPECT_EQ(Origin("COM2"), "set by OUTPORT_COM2");
    EXPECT_TRUE(Row("COM2")->findChild<QLabel*>("origin")->isVisible());
    EXPECT_FALSE(Row("COM1")->findChild<QLabel*>("origin")->isVisible());

    TypeUri("COM1", "file:/tmp/capture.bin");
    PressOk();
    EXPECT_EQ(ReadFile(m_config), "COM1=file:/tmp/capture.bin\n");
}

// The queues come from a worker once the print server answers; choosing one keeps its cups: URI,
// the status says the queue's state, and Test asks the server without printing anything.
TEST_F(PortsDialogTest, PrintQueuesAreOfferedOnceTheServerAnswersAndTestPrintsNothing) {
    const PrintScheduler scheduler;
    {
        const CPortsDialog waiting([] { return std::vector<DeviceEntry>(); });
        EXPECT_EQ(waiting.findChild<QLabel*>("queues")->text(), "looking for print queues\u2026");
    }
    Open();
    const QString labels = "Label printer on the bench, the default queue (cups:labels)";
    ASSERT_TRUE(QTest::qWaitFor([this, &labels] { return Box("COM1")->findText(labels) >= 0; }));
    EXPECT_FALSE(m_dialog->findChild<QLabel*>("queues")->isVisible());

    struct Case {
        QString entry;
        QString status;
        QString tested;
    };
    const std::vector<Case> cases{
        {"stopped (cups:stopped)", "print queue: stopped: paused (Waiting for a new print head)",
         "test failed\nthe queue 'stopped' is stopped: paused (Waiting for a new print head)"},
        {labels, "print queue: ready", "test passed: the queue is there and accepts jobs"},
    };
    const std::string printed = PrintScheduler::Printed("labels");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry.toStdString());
        Pick("COM1", c.entry);
        EXPECT_EQ(Status("COM1"), c.status);
        RunTest("COM1");
        EXPECT_EQ(Status("COM1").replace("cups:stopped: ", ""), c.tested);
    }
    EXPECT_EQ(PrintScheduler::Printed("labels"), printed);
    PressOk();
    EXPECT_TRUE(ReadFile(m_config).find("COM1=cups:labels\n") != std::string::npos);
}

TEST_F(PortsDialogTest, ServerThatDoesNotAnswerGivesOneLine) {
    m_environment.Set("CUPS_SERVER", "127.0.0.1:1");
    Open();
    QLabel* note = m_dialog->findChild<QLabel*>("queues");
    EXPECT_TRUE(QTest::qWaitFor([note] { return note->text().startsWith("No print queues"); }));
    EXPECT_EQ(note->text(), "No print queues: no print server answers at 127.0.0.1:1");
    EXPECT_TRUE(note->isVisible());
}

// With a port on a print server that never answers the setup dialog shows at once and takes
// input; the port's description comes when the time-out has passed.
TEST_F(PortsDialogTest, SetupDialogShowsAtOnceAndDescribesQueuePortsWhenTheServerAnswers) {
    LoopbackListener silent;
    m_environment.Set("OUTPORT_TIMEOUT_MS", "1500");
    m_environment.Set("OUTPORT_COM1", "cups:labels");
    m_environment.Set("OUTPORT_COM2",
                      "ipp://127.0.0.1:" + std::to_string(silent.Port()) + "/printers/labels");
    m_environment.Set("CUPS_SERVER", PrintScheduler::Server());
    CSetupDlg setup;
    setup.SetMessagePresenter([](QWidget*, const DialogMessage&) {});
    setup.Create();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&setup));
    QWidget* com1 = setup.GetDlgItem(IDC_COM1);
    QWidget* com2 = setup.GetDlgItem(IDC_COM2);
    QTest::keyClick(setup.GetDlgItem(IDC_LENGTH), Qt::Key_1); // input is taken meanwhile
    EXPECT_EQ(com2->toolTip(), "");
    EXPECT_TRUE(QTest::qWaitFor([com2] { return !com2->toolTip().isEmpty(); }, 5000));
    EXPECT_EQ(com1->toolTip(), "labels on " + QString::fromStdString(PrintScheduler::Server()) +
                                   " \u2014 Label printer on the bench\nprinter: ready");
    EXPECT_EQ(com2->toolTip(), QStringLiteral("labels on 127.0.0.1:%1 \u2014 the print server "
                                              "127.0.0.1:%1 did not answer within 1500 ms")
                                   .arg(silent.Port()));
    EXPECT_EQ(com2->accessibleDescription(), com2->toolTip());
}

} // namespace
