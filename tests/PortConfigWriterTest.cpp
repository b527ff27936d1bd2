#include "ui/ports/PortConfigWriter.h"

#include "printer/outport/address/PortConfigFile.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

TEST(SetPortLine, RewritesOnlyThePortsOwnLine) {
    const std::string config = "# printers\r\n"
                               "COM1=/dev/ttyS0\r\n"
                               "\n"
                               "  LPT1 = /dev/usb/lp0  # kitchen\n"
                               "COM1=/dev/ignored\n";
    EXPECT_EQ(SetPortLine(config, "LPT1", "usb://Acme/LP-2824"),
              "# printers\r\nCOM1=/dev/ttyS0\r\n\nLPT1=usb://Acme/LP-2824\nCOM1=/dev/ignored\n");
    // The first COM1 line is the one in force; a later duplicate is left as it was.
    EXPECT_EQ(SetPortLine(config, "COM1", "file:/tmp/x"),
              "# printers\r\nCOM1=file:/tmp/x\r\n\n  LPT1 = /dev/usb/lp0  # kitchen\n"
              "COM1=/dev/ignored\n");
    // Back to the default: no line of the port may remain to take effect.
    EXPECT_EQ(SetPortLine(config, "COM1", ""),
              "# printers\r\n\n  LPT1 = /dev/usb/lp0  # kitchen\n");
    // A commented-out line is a comment, not the port's line.
    EXPECT_EQ(SetPortLine("#COM2=/dev/x", "COM2", "/dev/y"), "#COM2=/dev/x\nCOM2=/dev/y\n");
}

TEST(SetPortLine, AppendsAfterTheLastLineFinishedOrNot) {
    EXPECT_EQ(SetPortLine("", "COM2", "/dev/ttyUSB0"), "COM2=/dev/ttyUSB0\n");
    EXPECT_EQ(SetPortLine("LPT2=/dev/lp1", "COM1", "/dev/ttyACM0"),
              "LPT2=/dev/lp1\nCOM1=/dev/ttyACM0\n");
}

class SavePortChoicesTest : public testing::Test {
protected:
    void SetUp() override { m_environment.Set("XDG_CONFIG_HOME", (m_dir.path() / "cfg").string()); }

    fs::path ConfigFile() const { return m_dir.path() / "cfg" / "outport.conf"; }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
};

TEST_F(SavePortChoicesTest, MakesTheFolderAndKeepsWhatItDoesNotChange) {
    ASSERT_EQ(SavePortChoices({{"LPT1", "usb://Acme/LP-2824?serial=12"}}), "");
    EXPECT_EQ(ReadFile(ConfigFile()), "LPT1=usb://Acme/LP-2824?serial=12\n");
    EXPECT_EQ(fs::status(m_dir.path() / "cfg").permissions(), fs::perms::owner_all);

    std::ofstream(ConfigFile(), std::ios::app) << "# spare\nCOM2=/dev/ttyS1\n";
    ASSERT_EQ(SavePortChoices({{"COM2", "socket://127.0.0.1"}, {"LPT1", ""}}), "");
    EXPECT_EQ(ReadFile(ConfigFile()), "# spare\nCOM2=socket://127.0.0.1\n");
}

TEST_F(SavePortChoicesTest, NeverReplacesWhatItCannotRead) {
    fs::create_directories(m_dir.path() / "cfg");
    ASSERT_EQ(mkfifo(ConfigFile().c_str(), 0600), 0);
    EXPECT_NE(SavePortChoices({{"COM1", "/dev/ttyUSB0"}}).find("outport.conf: not a regular file"),
              std::string::npos);
    EXPECT_TRUE(fs::is_fifo(ConfigFile()));

    fs::remove(ConfigFile());
    std::ofstream(ConfigFile()) << std::string(64 * 1024 + 1, '#');
    EXPECT_NE(SavePortChoices({{"COM1", "/dev/ttyUSB0"}}), "");
    EXPECT_EQ(fs::file_size(ConfigFile()), 64U * 1024 + 1);
}

} // namespace
