// The command line against hostile input and hostile surroundings: URIs that would not read back,
// edits racing each other, strings that would act on a terminal, signals during a send, and
// outputs or folders that are not what they should be. The built program runs as a user runs it.
#include "settings/PrinterSettings.h"
#include "settings/SettingsFile.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <memory>
#include <pwd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    QByteArray out;
    QString err;
};

QString Path(const fs::path& path) {
    return QString::fromStdString(path.string());
}

class CommandLineSafetyTest : public testing::Test {
protected:
    CommandLineSafetyTest() {
        for (const QString& name : m_environment.keys()) {
            if (name == QLatin1String("DISPLAY") || name == QLatin1String("WAYLAND_DISPLAY") ||
                name.startsWith(QLatin1String("OUTPORT_"))) {
                m_environment.remove(name);
            }
        }
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), Path(ConfigFolder()));
        fs::create_directories(ConfigFolder());
    }

    std::unique_ptr<QProcess> Start(const QStringList& arguments,
                                    const QString& program = TROVANEL_PROGRAM) const {
        auto process = std::make_unique<QProcess>();
        process->setProgram(program);
        process->setArguments(arguments);
        process->setWorkingDirectory(Path(m_dir.path()));
        process->setProcessEnvironment(m_environment);
        process->start();
        return process;
    }

    static Outcome Finish(QProcess& process) {
        process.waitForFinished(-1);
        const int status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return {status, process.readAllStandardOutput(),
                QString::fromUtf8(process.readAllStandardError())};
    }

    Outcome Trovanel(const QStringList& arguments) const { return Finish(*Start(arguments)); }

    // The program started by bash, for what only a shell sets up: `exec -a`, redirections.
    Outcome Shell(const QString& script) const {
        return Finish(*Start({QStringLiteral("-c"), script, TROVANEL_PROGRAM}, "bash"));
    }

    fs::path ConfigFolder() const { return m_dir.path() / "config"; }
    fs::path ConfigFile() const { return ConfigFolder() / "outport.conf"; }

    WorkDirectory m_dir;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

// Holds the lock beside `path` as another program saving it would.
class HeldLock {
public:
    explicit HeldLock(const fs::path& lockFile)
        : m_fd(open(lockFile.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644)) {
        EXPECT_EQ(flock(m_fd, LOCK_EX), 0);
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    ~HeldLock() { close(m_fd); }

private:
    int m_fd;
};

TEST_F(CommandLineSafetyTest, RefusesAUriThatWouldNotReadBackAsWritten) {
    struct Case {
        QString uri;
        QString shown;
        QString reason;
    };
    const std::vector<Case> cases{
        {"file:/srv/labels/a\nLPT1=file:/srv/labels/evil",
         "file:/srv/labels/a\\x0aLPT1=file:/srv/labels/evil",
         "the device URI holds a line break at character 19"},
        {"file:/srv/labels/a\r", "file:/srv/labels/a\\x0d",
         "the device URI holds a carriage return at character 19"},
        {"file:/é\x1b]0;x\x07", "file:/é\\x1b]0;x\\x07",
         "the device URI holds the control character U+001B at character 8"},
        {"usb://Acme/LP\u009b2", "usb://Acme/LP\\x9b2",
         "the device URI holds the control character U+009B at character 14"},
        {"socket://host\x7f", "socket://host\\x7f",
         "the device URI holds the control character U+007F at character 14"},
        {"file:/srv/labels/sp ", "file:/srv/labels/sp ", "the device URI ends with a blank"},
        {" /dev/ttyS0", " /dev/ttyS0", "the device URI starts with a blank"},
    };
    const std::string before = "# kept\nCOM2=/dev/ttyS1\n";
    WriteFile(ConfigFile(), before);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.shown.toStdString());
        const Outcome set = Trovanel({"ports", "set", "COM1", test.uri});
        EXPECT_EQ(set.status, 2);
        EXPECT_EQ(set.err, test.shown + ": " + test.reason + "\n");
        EXPECT_EQ(ReadFile(ConfigFile()), before);

        // A variable and a hand-edited line get the same answer when they are used.
        m_environment.insert("OUTPORT_LPT1", test.uri);
        const Outcome fromVariable = Trovanel({"send", "--port", "LPT1"});
        m_environment.remove("OUTPORT_LPT1");
        EXPECT_EQ(fromVariable.status, 1);
        EXPECT_TRUE(fromVariable.err.contains(test.reason)) << fromVariable.err.toStdString();
        if (test.uri.trimmed() == test.uri && !test.uri.contains('\n')) { // one line, untrimmed
            WriteFile(ConfigFile(), "COM1=" + test.uri.toStdString() + "\n");
            const Outcome fromFile = Trovanel({"send"});
            EXPECT_EQ(fromFile.status, 1);
            EXPECT_TRUE(fromFile.err.contains(test.reason)) << fromFile.err.toStdString();
            WriteFile(ConfigFile(), before);
        }
    }
    // A CR LF line end is still a line end.
    WriteFile(ConfigFile(), "COM1=file:" + (m_dir.path() / "capture.bin").string() + "\r\n");
    EXPECT_EQ(Trovanel({"send"}).status, 0);
    EXPECT_EQ(fs::file_size(m_dir.path() / "capture.bin"), 38U);
}

TEST_F(CommandLineSafetyTest, NeverWritesAnOutportConfTheReaderRefuses) {
    constexpr std::size_t kLimit = 64 * 1024;
    const std::string oldLine = "COM1=file:/tmp/" + std::string(100, 'a') + "\n";
    const std::string nearlyFull = "#" + std::string(kLimit - 20, '-') + "\n";
    const std::string overFull = oldLine + "#" + std::string(kLimit - 50, '-') + "\n";
    const QString tooLarge = "it would be larger than 64 KiB";
    struct Case {
        std::string before;
        QStringList arguments;
        int status;
        std::string after;
        QString message;
    };
    const std::vector<Case> cases{
        {nearlyFull, {"ports", "set", "LPT1", "file:/tmp/labels.bin"}, 1, nearlyFull, tooLarge},
        {overFull, {"ports", "set", "COM1", ""}, 0, overFull.substr(oldLine.size()), ""},
        {overFull,
         {"ports", "set", "COM1", "file:/tmp/" + QString(90, 'b')},
         1,
         overFull,
         tooLarge},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.arguments.join(' ').left(40).toStdString());
        WriteFile(ConfigFile(), test.before);
        const Outcome outcome = Trovanel(test.arguments);
        EXPECT_EQ(outcome.status, test.status) << outcome.err.toStdString();
        EXPECT_EQ(ReadFile(ConfigFile()), test.after);
        EXPECT_TRUE(outcome.err.contains(test.message)) << outcome.err.toStdString();
        if (test.status != 0) {
            EXPECT_TRUE(outcome.err.contains("text editor")) << outcome.err.toStdString();
        }
    }
}

TEST_F(CommandLineSafetyTest, EditsMadeAtTheSameTimeAllSurvive) {
    const QStringList ports{"COM1", "COM2", "LPT1", "LPT2"};
    for (int round = 0; round < 8; ++round) {
        SCOPED_TRACE(round);
        std::vector<std::unique_ptr<QProcess>> running;
        for (const QString& port : ports) {
            running.push_back(Start(
                {"ports", "set", port, QStringLiteral("file:/tmp/%1-%2").arg(port).arg(round)}));
        }
        const QString mode = round % 2 == 0 ? "direct" : "transfer";
        for (const QString& setting :
             {QStringLiteral("length=%1").arg(100 + round), QStringLiteral("gap=%1").arg(1 + round),
              QStringLiteral("tear=%1").arg(2 + round), QStringLiteral("cut=%1").arg(round - 4),
              "port=" + ports.at(round % 4), "mode=" + mode}) {
            running.push_back(Start({"set", setting}));
        }
        for (const auto& process : running) {
            EXPECT_EQ(Finish(*process).status, 0);
        }
        QStringList expected;
        for (const QString& port : ports) {
            expected.push_back(QStringLiteral("%1=file:/tmp/%1-%2").arg(port).arg(round));
        }
        QStringList lines = QString::fromStdString(ReadFile(ConfigFile())).split('\n');
        EXPECT_EQ(lines.takeLast(), ""); // the last line is whole
        lines.sort();
        EXPECT_EQ(lines, expected);
        CPrinterSettings saved;
        LoadSettings(saved);
        EXPECT_EQ(saved.m_nLengthMm, 100 + round);
        EXPECT_EQ(saved.m_nGapMm, 1 + round);
        EXPECT_EQ(saved.m_nTearMm, 2 + round);
        EXPECT_EQ(saved.m_nCutOffset, round - 4);
        EXPECT_EQ(saved.m_nPort, round % 4);
        EXPECT_EQ(saved.m_nPrintMode, round % 2 == 0 ? 1 : 0);
    }
}

TEST_F(CommandLineSafetyTest, ALockHeldTooLongChangesNothing) {
    m_environment.insert("OUTPORT_TIMEOUT_MS", "300");
    WriteFile(ConfigFile(), "COM2=/dev/ttyS1\n");
    WriteFile("Trovanel.ini", "0001");
    struct Case {
        fs::path lockFile;
        QStringList arguments;
        QString message;
    };
    const std::vector<Case> cases{
        {ConfigFolder() / ".outport.conf.lock",
         {"ports", "set", "COM1", "file:/tmp/x"},
         "Cannot save " + Path(ConfigFile()) +
             ": another program kept it locked for 300 ms; nothing was changed.\n"},
        {m_dir.path() / ".Trovanel.ini.lock",
         {"set", "length=5"},
         "Cannot write Trovanel.ini file.\nAnother program kept saving it for 5 seconds; nothing "
         "was changed.\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.lockFile.filename().string());
        const HeldLock held(test.lockFile);
        const Outcome outcome = Trovanel(test.arguments);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err, test.message);
        EXPECT_EQ(ReadFile(ConfigFile()), "COM2=/dev/ttyS1\n");
        EXPECT_EQ(ReadFile("Trovanel.ini"), "0001");
    }
}

TEST_F(CommandLineSafetyTest, ShowsWhatWouldActOnATerminalVisibly) {
    // A folder name and a device name that paint, retitle the window and reorder the line.
    const fs::path folder = m_dir.path() / "c\x1b[2J\u202e";
    fs::create_directories(folder);
    WriteFile(folder / "outport.conf", "COM1=file:/tmp/capture.bin\n");
    m_environment.insert("XDG_CONFIG_HOME", Path(folder));
    const QString shownFolder = Path(m_dir.path()) + "/c\\x1b[2J\\u202e";
    struct Case {
        QStringList arguments;
        QString expected; // in standard output, or else in standard error
    };
    const std::vector<Case> cases{
        {{"show"}, "device: file:/tmp/capture.bin (" + shownFolder + "/outport.conf line 1)\n"},
        {{"ports"}, "  COM1  file:/tmp/capture.bin  (" + shownFolder + "/outport.conf line 1)"},
        {{"send", "--to", "usb://Evil%1B%5D0%3Bx%07/P%E2%80%AE"},
         "no USB printer Evil\\x1b]0;x\\x07 P\\u202e is connected"},
        {{"ports", "set", "COM1", "file:/tmp/\u2066x\u2069"}, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.arguments.join(' ').toStdString());
        const Outcome outcome = Trovanel(test.arguments);
        const QString all = QString::fromUtf8(outcome.out) + outcome.err;
        EXPECT_TRUE(all.contains(test.expected)) << all.toStdString();
        for (const QChar raw : {QChar(0x1b), QChar(0x07), QChar(0x202e), QChar(0x2066)}) {
            EXPECT_FALSE(all.contains(raw)) << all.toStdString();
        }
    }
}

TEST_F(CommandLineSafetyTest, ASignalCancelsTheSendAndLeavesTheLineFree) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        PseudoTerminal pty;
        ASSERT_TRUE(pty.Stall());
        m_environment.insert("OUTPORT_COM1", QString::fromStdString("serial:" + pty.Name()));
        const auto process = Start({"send"});
        // The line is held once the program has opened it and is stuck writing.
        ASSERT_TRUE(QTest::qWaitFor([&pty] { return !pty.Released(); }, 5000));
        ASSERT_EQ(kill(static_cast<pid_t>(process->processId()), signal), 0);
        const Outcome outcome = Finish(*process);
        EXPECT_EQ(outcome.status, 128 + signal);
        EXPECT_EQ(outcome.err, QString::fromStdString("COM1 (" + pty.Name() +
                                                      "): cancelled after 0 of 38 bytes\n"));
        EXPECT_TRUE(pty.Released());
        int exclusive = -1;
        ASSERT_EQ(ioctl(pty.Slave(), TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0);
    }
}

TEST_F(CommandLineSafetyTest, OddSurroundingsFailClearly) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "becoming another user needs root";
    }
    const passwd* nobody = getpwnam("nobody");
    ASSERT_NE(nobody, nullptr);
    WriteFile(m_dir.path() / "plain-file", "");
    struct Case {
        const char* name;
        std::function<Outcome()> run;
        int status;
        QString expected; // in standard error, or the start of standard output
    };
    const std::vector<Case> cases{
        {"output to a full disk", [this] { return Shell("exec \"$0\" send --dry-run >/dev/full"); },
         1, "Cannot write the result to standard output: No space left on device.\n"},
        {"closed output", [this] { return Shell("exec \"$0\" show >&-"); }, 1,
         "Cannot write the result to standard output: Bad file descriptor.\n"},
        {"no program name", [this] { return Shell("exec -a '' \"$0\" show --help"); }, 0,
         "Usage: trovanel show [options]\n"},
        {"configuration folder is a file",
         [this] {
             m_environment.insert("XDG_CONFIG_HOME", Path(m_dir.path() / "plain-file"));
             return Trovanel({"send"});
         },
         1, "COM1: " + Path(m_dir.path() / "plain-file/outport.conf") + ": not a directory\n"},
        {"an option set does not take",
         [this] {
             return Trovanel({"ports", "--json", "set", "COM1", "/dev/x"});
         },
         2, "ports set takes no --json.\n"},
        {"no HOME and no XDG_CONFIG_HOME",
         [this, nobody] {
             m_environment.remove("HOME");
             m_environment.remove("XDG_CONFIG_HOME");
             const auto process = std::make_unique<QProcess>();
             process->setProgram(TROVANEL_PROGRAM);
             process->setArguments({"ports", "set", "COM1", "file:/tmp/x"});
             process->setWorkingDirectory("/");
             process->setProcessEnvironment(m_environment);
             const uid_t uid = nobody->pw_uid;
             const gid_t gid = nobody->pw_gid;
             process->setChildProcessModifier([uid, gid] {
                 if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) {
                     _exit(100);
                 }
             });
             process->start();
             return Finish(*process);
         },
         1, QString("Cannot save ") + nobody->pw_dir + "/.config/outport.conf"},
    };
    const QProcessEnvironment environment = m_environment;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        m_environment = environment;
        const Outcome outcome = test.run();
        EXPECT_EQ(outcome.status, test.status);
        EXPECT_TRUE(outcome.err.startsWith(test.expected) ||
                    outcome.out.startsWith(test.expected.toUtf8()))
            << outcome.err.toStdString() << outcome.out.toStdString();
    }
}

} // namespace
