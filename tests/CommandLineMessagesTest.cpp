// The command line's messages and device listings. This test runs under umockdev-wrapper, and
// the program it starts inherits the preload, so both see the same made-up /sys and /dev.
#include "tests/MockDevices.h"
#include "tests/WorkDirectory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

class CommandLineMessagesTest : public testing::Test {
protected:
    CommandLineMessagesTest() {
        for (const QString& name : m_environment.keys()) {
            if (name == QLatin1String("DISPLAY") || name == QLatin1String("WAYLAND_DISPLAY") ||
                name == QLatin1String("QT_QPA_PLATFORM") || name.startsWith("OUTPORT_")) {
                m_environment.remove(name);
            }
        }
        m_environment.insert("XDG_CONFIG_HOME", Path(m_dir.path() / "config"));
        m_environment.insert("XDG_STATE_HOME", Path(m_dir.path() / "state"));
        m_environment.insert("XDG_CONFIG_DIRS", Path(m_dir.path() / "xdg"));
    }

    // Runs the program in the scratch folder, as the user 'nobody' when `ordinary` and the test
    // runs as root.
    Outcome Trovanel(const QStringList& arguments, bool ordinary = false) const {
        QProcess process;
        process.setProgram(QStringLiteral(TROVANEL_PROGRAM));
        process.setArguments(arguments);
        process.setWorkingDirectory(Path(m_dir.path()));
        process.setProcessEnvironment(m_environment);
        if (ordinary && geteuid() == 0) {
            process.setChildProcessModifier([] {
                const passwd* nobody = getpwnam("nobody");
                if (nobody == nullptr || setgroups(0, nullptr) != 0 ||
                    setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) {
                    _exit(100);
                }
            });
        }
        process.start();
        process.waitForFinished(-1);
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static QString Path(const fs::path& path) { return QString::fromStdString(path.string()); }

    MockDevices m_devices; // first: it names its folder in the environment the program gets
    WorkDirectory m_dir;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
};

TEST_F(CommandLineMessagesTest, MessagesNameTheMistakeExactly) {
    ASSERT_TRUE(MockDevices::Active()) << "run this test under umockdev-wrapper";
    // In mm; the tear-off offset is 50 mm and 20 tenths of an inch.
    WriteFile("Trovanel.ini", "0001004000010000002000000000010000030050");
    fs::create_directory("folder");
    const QString folder = Path(m_dir.path() / "folder");
    const QString capture = "file:" + Path(m_dir.path() / "capture.bin");
    WriteFile("tall.preset", "name=Tall\nunit=mm\nlength=1104\n");
    const QString tall = Path(m_dir.path() / "tall.preset");
    // A folder where the record of sends should be: neither read nor written, and said so.
    fs::create_directories(m_dir.path() / "state/trovanel/sent");
    const QString record = Path(m_dir.path() / "state/trovanel/sent");
    struct Row {
        QStringList arguments;
        int status;
        QString outPart;
        QString err;
    };
    const std::vector<Row> rows{
        {{"set", "length"}, 2, "", "'length' is not NAME=VALUE.\nTry 'trovanel set --help'.\n"},
        {{"show"}, 0, "\ntear: 50 mm, 20 (0.1 inch)\ncut: 0 pixel\n", ""},
        {{"send", "--to", "usb://Acme/LP-2824?colour=red"},
         2,
         "",
         "usb://Acme/LP-2824?colour=red: unknown USB printer option \"colour=red\" "
         "(serial=SERIAL)\n"},
        {{"send", "--to", folder}, 1, "", folder + ": not a device, FIFO or file\n"},
        {{"send", "--to", "file:" + folder}, 1, "", folder + ": is a directory, not a device\n"},
        {{"preset", "save", "a/b"},
         2,
         "",
         "The name 'a/b' is refused: A preset name holds no '/'.\n"},
        {{"preset", "save", ".."},
         2,
         "",
         "The name '..' is refused: A preset name is not '.' or '..'.\n"},
        {{"preset", "save", "two\nlines"},
         2,
         "",
         "The name 'two\\x0alines' is refused: A preset name holds no control characters or line "
         "breaks.\n"},
        {{"preset", "save", QString(65, 'x')},
         2,
         "",
         "The name '" + QString(65, 'x') +
             "' is refused: A preset name is at most 64 characters "
             "long.\n"},
        {{"preset", "show", "Shipping "},
         2,
         "",
         "The name 'Shipping ' is refused: A preset name neither starts nor ends with a blank.\n"},
        {{"preset", "apply", "Nothing"}, 2, "", "No preset 'Nothing'.\n"},
        {{"send", "--preset", "Nothing", "--dry-run"}, 2, "", "No preset 'Nothing'.\n"},
        {{"preset", "import", tall},
         2,
         "",
         tall + " line 3: The Label Length value is out of range. The limit is 0 ~ 1103 mm.\n"},
        {{"preset", "import", tall, "--as", "a/b"},
         2,
         "",
         tall + " line 3: The Label Length value is out of range. The limit is 0 ~ 1103 mm.\n"},
        {{"preset", "import", folder}, 2, "", folder + ": not a regular file\n"},
        {{"preset", "export", "Nothing", folder}, 2, "", "No preset 'Nothing'.\n"},
        {{"preset", "show"},
         2,
         "",
         "Wrong number of arguments for preset show.\nTry 'trovanel preset --help'.\n"},
        {{"send", "--if-changed", "--to", capture},
         0,
         "",
         "Ignoring the record of sends " + record +
             ": not a regular file.\nSent, but the record of "
             "sends " +
             record + " could not be saved.\n"},
        {{"send", "--check", "--to", capture}, 0, "Would send 38 bytes to " + capture + ".\n", ""},
        {{"send", "--check", "--dry-run"},
         2,
         "",
         "--dry-run does not go with --if-changed, --check or --json.\nTry 'trovanel send "
         "--help'.\n"},
        {{"preset", "apply", "--diff", "--json", "Tall"},
         2,
         "",
         "Give --diff or --json, not both.\nTry 'trovanel preset --help'.\n"},
        {{"preset", "save", "Tall", "--check"},
         2,
         "",
         "preset save takes no --check.\nTry 'trovanel preset --help'.\n"},
        {{"preset", "list", "--force"},
         2,
         "",
         "preset list takes no --force.\nTry 'trovanel preset --help'.\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments.join(' ').toStdString());
        const Outcome outcome = Trovanel(row.arguments);
        EXPECT_EQ(outcome.status, row.status);
        EXPECT_TRUE(outcome.out.contains(row.outPart)) << outcome.out.toStdString();
        EXPECT_EQ(outcome.err.toStdString(), row.err.toStdString());
    }

    // The presets folder cannot be made below a file; nothing else is written.
    m_environment.insert("XDG_CONFIG_HOME", Path(m_dir.path() / "Trovanel.ini"));
    const Outcome save = Trovanel({"preset", "save", "Stock"});
    EXPECT_EQ(save.status, 1);
    EXPECT_EQ(save.err.toStdString(), ("Cannot open the presets folder " +
                                       Path(m_dir.path() / "Trovanel.ini/trovanel/presets") + ".\n")
                                          .toStdString());
    EXPECT_EQ(ReadFile("Trovanel.ini"), "0001004000010000002000000000010000030050");

    // outport.conf cannot be saved: its folder is a file, or an ordinary user may not write in
    // it (the lock beside the file is there already and may be read).
    fs::create_directory("config");
    WriteFile("config/.outport.conf.lock", "");
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0755), 0);
    for (const auto& [configHome, ordinary, reason] :
         {std::tuple{Path(m_dir.path() / "Trovanel.ini"), false, "cannot lock it: Not a directory"},
          {Path(m_dir.path() / "config"), true, "the file or its folder is not writable"}}) {
        m_environment.insert("XDG_CONFIG_HOME", configHome);
        const Outcome outcome = Trovanel({"ports", "set", "COM1", capture}, ordinary);
        EXPECT_EQ(outcome.status, 1);
        EXPECT_EQ(outcome.err.toStdString(),
                  ("Cannot save " + configHome + "/outport.conf: " + reason + ".\n").toStdString());
    }
}

TEST_F(CommandLineMessagesTest, SendAskedForHelpOrMisusedSendsNothing) {
    ASSERT_TRUE(MockDevices::Active()) << "run this test under umockdev-wrapper";
    const fs::path capture = m_dir.path() / "capture.bin";
    m_environment.insert("OUTPORT_COM1", "file:" + Path(capture));
    const std::vector<std::pair<QStringList, int>> rows{
        {{"send", "--help"}, 0},
        {{"send", "-h"}, 0},
        {{"send", "--version"}, 2},
        {{"send", "--bogus"}, 2},
        {{"send", "now"}, 2},
        {{"send", "--port"}, 2},
        {{"send", "--port", "COM3"}, 2},
        {{"send", "--to", "relative"}, 2},
        {{"send", "--dry-run", "x"}, 2},
        {{"send", "--port", "COM1", "--to", "/dev/null"}, 2},
    };
    for (const auto& [arguments, status] : rows) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        EXPECT_EQ(Trovanel(arguments).status, status);
        EXPECT_FALSE(fs::exists(capture));
    }
    EXPECT_EQ(Trovanel({"send"}).status, 0); // the port itself works
    EXPECT_EQ(ReadFile(capture).size(), 38u);
}

// A listing names the devices under its heading, and says "none found" only when there are
// none; a device is usable in JSON only for a user who may write to it.
TEST_F(CommandLineMessagesTest, PortsListsTheDevicesFoundAndWhoMayUseThem) {
    ASSERT_TRUE(MockDevices::Active()) << "run this test under umockdev-wrapper";
    Outcome text = Trovanel({"ports"});
    EXPECT_TRUE(text.out.contains("Devices:\n  none found\n")) << text.out.toStdString();

    m_devices.AddUsbDevice("1-1", "FTDI", "FT232R USB UART", "A12345");
    m_devices.AddSerialAdapter("ttyUSB0", "1-1");
    m_devices.AddUsbDevice("1-2", "Acme Inc", "Label Printer", "");
    m_devices.AddUsbPrinter("lp0", "1-2", "MFG:Acme;MDL:LP-2824;SN:12345;");
    const std::string root = m_devices.Root();
    const group* dialout = getgrnam("dialout");
    ASSERT_NE(dialout, nullptr);
    ASSERT_EQ(chmod(root.c_str(), 0755), 0);
    ASSERT_EQ(chmod((root + "/ioctl/_default").c_str(), 0777), 0);
    ASSERT_EQ(chown((root + "/dev/ttyUSB0").c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(chmod((root + "/dev/ttyUSB0").c_str(), 0660), 0);
    ASSERT_EQ(chmod((root + "/dev/usb/lp0").c_str(), 0600), 0);
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0755), 0);

    const QString listed = "Devices:\n"
                           "  /dev/ttyUSB0 (serial): FTDI FT232R USB UART\n"
                           "        serial:/dev/ttyUSB0\n"
                           "%1"
                           "        printer: status not reported by this connection\n"
                           "  /dev/usb/lp0 (usb-printer): Acme LP-2824\n"
                           "        usb://Acme/LP-2824?serial=12345\n"
                           "%2"
                           "        printer: ";
    const struct {
        bool ordinary;
        QString fixes[2];
    } rows[] = {
        {false, {"", ""}},
        {true,
         {"        fix: sudo adduser $USER dialout, then log out and in again\n",
          "        fix: ask the administrator for write access to /dev/usb/lp0\n"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ordinary ? "as an ordinary user" : "as root");
        text = Trovanel({"ports"}, row.ordinary);
        EXPECT_TRUE(text.out.contains(listed.arg(row.fixes[0], row.fixes[1])))
            << text.out.toStdString();
        EXPECT_FALSE(text.out.contains("none found"));
        const Outcome json = Trovanel({"ports", "--json"}, row.ordinary);
        const QJsonArray devices = QJsonDocument::fromJson(json.out.toUtf8())["devices"].toArray();
        ASSERT_EQ(devices.size(), 2);
        for (const QJsonValue device : devices) {
            EXPECT_EQ(device["usable"].toBool(), !row.ordinary);
            EXPECT_EQ(device["fix"].toString().isEmpty(), !row.ordinary);
        }
    }
}

} // namespace
