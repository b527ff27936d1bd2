// Runs under umockdev-wrapper. The built program against hostile URIs, racing edits, signals and
// odd surroundings; made-up USB printers whose names a locale could misread, or that carry
// terminal sequences or markup, seen by the program and by the dialogs.

// glib's headers, in the test bed, come before Qt, whose 'signals' keyword would break them.
// clang-format off
#include "tests/MockDevices.h"
// clang-format on

#include "settings/SettingsFile.h"
#include "tests/Environment.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/DialogMessage.h"
#include "ui/ports/NetworkPrinterDialog.h"
#include "ui/ports/PortRow.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/ioctl.h>
#include <tuple>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    QString text; // standard output, then standard error
};

// What a person sees: Qt shows text that looks like markup as rich text.
QString Shown(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    QTextDocument document;
    document.setHtml(text);
    return format == Qt::PlainText || !Qt::mightBeRichText(text) ? text : document.toPlainText();
}

class HostileInputTest : public testing::Test {
protected:
    HostileInputTest() {
        fs::create_directories(m_config.parent_path());
        m_environment.Set("XDG_CONFIG_HOME", m_config.parent_path());
        m_environment.Set("XDG_STATE_HOME", m_config.parent_path() / "state"); // sends recorded
        m_environment.UnsetPorts();
    }

    // The program, or a bash script that starts it as "$0", with the test's environment.
    static std::unique_ptr<QProcess> Start(const QStringList& arguments, bool script = false) {
        auto process = std::make_unique<QProcess>();
        process->start(script ? "bash" : TROVANEL_PROGRAM,
                       script ? QStringList{"-c", arguments[0], TROVANEL_PROGRAM} : arguments);
        return process;
    }
    static Outcome Finish(QProcess& process) {
        process.waitForFinished(-1);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardOutput() + process.readAllStandardError()};
    }
    static Outcome Run(const QStringList& arguments, bool script = false) {
        return Finish(*Start(arguments, script));
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    fs::path m_config = m_dir.path() / "config" / "outport.conf";
};

TEST_F(HostileInputTest, RefusesAUriThatWouldNotReadBackAsWritten) {
    WriteFile(m_config, "COM2=/dev/ttyS1\n");
    for (const auto& [uri, reason] : std::vector<std::pair<QString, QString>>{
             {"file:/a\nLPT1=file:/b", "holds a line break at character 8"},
             {"file:/é\x1b]0;x\x07", "holds the control character U+001B at character 8"},
             {"usb://Acme/LP\u009b2", "holds the control character U+009B at character 14"},
             {"file:/sp ", "ends with a blank"},
             {"serial:/dev/sp ?baud=9600", "the serial line's path ends with a blank"}}) {
        const Outcome set = Run({"ports", "set", "COM1", uri});
        EXPECT_TRUE(set.status == 2 && set.text.endsWith(reason + "\n"));
        EXPECT_EQ(ReadFile(m_config), "COM2=/dev/ttyS1\n");
        m_environment.Set("OUTPORT_COM1", uri.toStdString()); // a variable gets the same answer
        EXPECT_TRUE(Run({"send"}).text.contains(reason));
    }
    m_environment.Unset("OUTPORT_COM1");
    // A CR LF line end written by hand is still a line end.
    WriteFile(m_config, "COM1=file:" + (m_dir.path() / "capture").string() + "\r\n");
    EXPECT_EQ(Run({"send"}).status, 0);
    EXPECT_EQ(fs::file_size(m_dir.path() / "capture"), 38U);
}

TEST_F(HostileInputTest, NeverWritesAnOutportConfTheReaderRefuses) {
    const std::string line = "COM1=file:/tmp/" + std::string(100, 'a') + "\n";
    const std::string comments = "#" + std::string(64 * 1024 - 50, '-') + "\n";
    WriteFile(m_config, line + comments); // too large to read; removing the line repairs it
    const Outcome longer = Run({"ports", "set", "COM2", "file:/tmp/b"});
    EXPECT_EQ(longer.status, 1);
    EXPECT_TRUE(longer.text.contains("larger than 64 KiB") && longer.text.contains("text editor"));
    EXPECT_EQ(ReadFile(m_config), line + comments);
    EXPECT_EQ(Run({"ports", "set", "COM1", ""}).status, 0);
    EXPECT_EQ(ReadFile(m_config), comments);
}

TEST_F(HostileInputTest, EditsMadeAtTheSameTimeAllSurvive) {
    for (int round = 1; round <= 8; ++round) {
        std::vector<std::unique_ptr<QProcess>> running;
        QStringList expected;
        for (const char* port : {"COM1", "COM2", "LPT1", "LPT2"}) {
            expected.push_back(QStringLiteral("%1=file:/%2").arg(port).arg(round));
            running.push_back(Start({"ports", "set", port, expected.back().mid(5)}));
        }
        for (const char* setting : {"length=%1", "gap=%1", "tear=%1", "cut=-%1"}) {
            running.push_back(Start({"set", QString(setting).arg(round)}));
        }
        for (const auto& process : running) {
            EXPECT_EQ(Finish(*process).status, 0);
        }
        QStringList lines = QString::fromStdString(ReadFile(m_config)).split('\n');
        lines.sort();
        EXPECT_EQ(lines, QStringList{""} + expected); // whole lines, in any order
        CPrinterSettings saved;
        LoadSettings(saved);
        EXPECT_EQ(
            (std::vector{saved.m_nLengthMm, saved.m_nGapMm, saved.m_nTearMm, -saved.m_nCutOffset}),
            std::vector(4, round));
    }
}

TEST_F(HostileInputTest, ASignalCancelsTheSendAndLeavesTheLineFree) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        PseudoTerminal pty;
        ASSERT_TRUE(pty.Stall());
        m_environment.Set("OUTPORT_COM1", "serial:" + pty.Name());
        const auto process = Start({"send"});
        ASSERT_TRUE(QTest::qWaitFor([&pty] { return !pty.Released(); }, 5000)); // stuck writing
        kill(static_cast<pid_t>(process->processId()), signal);
        const Outcome outcome = Finish(*process);
        EXPECT_EQ(outcome.status, 128 + signal);
        EXPECT_EQ(outcome.text.toStdString(),
                  "COM1 (" + pty.Name() + "): cancelled after 0 of 38 bytes\n");
        int exclusive = -1;
        EXPECT_TRUE(pty.Released() && ioctl(pty.Slave(), TIOCGEXCL, &exclusive) == 0 &&
                    exclusive == 0);
    }
}

TEST_F(HostileInputTest, OddSurroundingsFailClearly) {
    WriteFile("plain-file", "");
    const fs::path painted = m_dir.path() / "x\x1b[2J\u202e";
    fs::create_directories(painted);
    WriteFile(painted / "outport.conf", "COM1=file:/tmp/capture\n");
    for (const auto& [script, status, expected] : std::vector<std::tuple<QString, int, QString>>{
             {"exec \"$0\" send --dry-run >/dev/full", 1,
              "standard output: No space left on device.\n"},
             {"exec \"$0\" show >&-", 1, "standard output: Bad file descriptor.\n"},
             {"exec -a '' \"$0\" show --help", 0, "Usage: trovanel show [options]\n"},
             {"XDG_CONFIG_HOME=$PWD/plain-file \"$0\" send", 1,
              "plain-file/outport.conf: not a directory\n"},
             {"\"$0\" ports --json set COM1 /dev/x", 2, "ports set takes no --json.\n"},
             {"cd / && setpriv --reuid=nobody --regid=nogroup --clear-groups env -u HOME -u "
              "XDG_CONFIG_HOME \"$0\" ports set COM1 file:/x",
              1, "Cannot save /nonexistent/.config/outport.conf"},
             // Paths and device names that would paint, retitle or reorder are shown escaped.
             {"XDG_CONFIG_HOME=$(echo $PWD/x*) \"$0\" ports", 0,
              "/x\\x1b[2J\\u202e/outport.conf line 1): ready\n"},
             {"\"$0\" send --to usb://E%1B%5D0%3Bx%07/P%E2%80%AE", 1,
              "printer E\\x1b]0;x\\x07 P\\u202e is"}}) {
        const Outcome outcome = Run({script}, true);
        EXPECT_EQ(outcome.status, status) << script.toStdString();
        EXPECT_TRUE(outcome.text.contains(expected)) << outcome.text.toStdString();
        EXPECT_FALSE(outcome.text.contains(QChar(0x1b)) || outcome.text.contains(QChar(0x202e)));
    }
}

TEST_F(HostileInputTest, UsbNamesResolveAndEncodeTheSameInEveryLocale) {
    MockDevices devices;
    devices.AddUsbPrinter("lp0", "1-1", "MFG:CITIZEN;MDL:CL-S521;SN:Ci1;");
    devices.AddUsbPrinter("lp1", "1-2", "MFG:Caf\xc3\xa9;MDL:X1;");
    for (const char* locale : {"tr_TR.UTF-8", "de_DE"}) {
        m_environment.Set("LC_ALL", locale);
        EXPECT_TRUE(Run({"ports"}).text.contains("usb://Caf%C3%A9/X1\n")) << locale;
        for (const auto& [uri, node] :
             {std::pair{"usb://CITIZEN/cl-s521?serial=Ci1", "/dev/usb/lp0"},
              std::pair{"usb://caf%C3%A9/x1", "/dev/usb/lp1"}}) {
            EXPECT_EQ(Run({"send", "--to", uri}).status, 0) << locale << ' ' << uri;
            EXPECT_EQ(ReadUntilQuiet(devices.MasterFd(node), 100).size(), 38U);
        }
    }
}

TEST_F(HostileInputTest, DeviceNamesThatPaintOrMarkUpAreShownAsTheyAre) {
    m_environment.Set("OUTPORT_COM1", "/dev/usb/lp0");
    MockDevices devices;
    const QString name = "<b>x</b><img src=\"file:///etc/hostname\">";
    devices.AddUsbPrinter("lp0", "1-1", "MFG:E\x1b[2J\x07;MDL:" + name.toStdString() + "\u202e;");
    EXPECT_TRUE(Run({"ports"}).text.contains("E\\x1b[2J\\x07 " + name + "\\u202e\n"));

    CSetupDlg setup;
    setup.Create();
    // The port buttons are described by a worker once the window is shown.
    QWidget* com1 = setup.GetDlgItem(IDC_COM1);
    EXPECT_TRUE(QTest::qWaitFor([com1] { return !com1->toolTip().isEmpty(); }));
    CPortsDialog ports;
    ports.show();
    CPortRow* row = ports.findChild<CPortRow*>("COM2");
    row->Target()->setEditText(row->Target()->itemData(0).toString());
    const auto box = CreateMessageBox(nullptr, {name, QMessageBox::Warning, name});
    for (const QString& shown :
         {Shown(setup.GetDlgItem(IDC_COM1)->toolTip()), Shown(row->Target()->toolTip()),
          Shown(box->text(), box->textFormat()), Shown(box->informativeText())}) {
        EXPECT_TRUE(shown.contains(name)) << shown.toStdString();
    }
    // The print queues' answer fills the rows again; a test result must not be waiting then.
    const auto* queues = ports.findChild<QLabel*>("queues");
    EXPECT_TRUE(QTest::qWaitFor([queues] { return !queues->text().endsWith(u'\u2026'); }));
    row->Target()->setEditText("file:/nonexistent/" + name); // the test's reason names the path
    QTest::mouseClick(row->findChild<QPushButton*>("test"), Qt::LeftButton);
    const auto* status = row->findChild<QLabel*>("status");
    ASSERT_TRUE(QTest::qWaitFor([&] { return status->text().startsWith("test failed"); }));
    EXPECT_TRUE(Shown(status->text(), status->textFormat()).contains(name));
    EXPECT_TRUE(Shown(status->toolTip()).contains(name));

    CNetworkPrinterDialog prompt; // nor can a host name pasted in hold a control character
    QGuiApplication::clipboard()->setText("printer\x1b\x07");
    QTest::keyClick(prompt.findChild<QLineEdit*>(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompt.findChild<QLineEdit*>()->text(), "");
}

} // namespace
