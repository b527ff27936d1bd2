#include "printer/outport/OutPort.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <array>
#include <cstddef>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Sends on COM1 with outport.conf in the test's own folder and no OUTPORT_COM1, so the file
// decides the device; the environment is restored afterwards.
class PortConfigFile : public testing::Test {
protected:
    void SetUp() override {
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.Unset("OUTPORT_COM1");
    }

    // Whether the send failed with a reason that names the file and says `why`.
    ::testing::AssertionResult FailsNamingTheFile(const std::string& why) const {
        std::array<unsigned char, 4> block{'t', 'e', 's', 't'};
        if (OutPort(static_cast<int>(block.size()), 0, block.data()) != 0) {
            return ::testing::AssertionFailure() << "sent";
        }
        const std::string reason = OutPortLastError();
        if (reason.find(m_config.string() + ": " + why) == std::string::npos) {
            return ::testing::AssertionFailure() << reason;
        }
        return ::testing::AssertionSuccess();
    }

    WorkDirectory m_dir;
    fs::path m_config = m_dir.path() / "outport.conf";
    fs::path m_capture = m_dir.path() / "capture.bin";
    ScopedEnvironment m_environment;
};

// A FIFO used to block the call for ever and an endless device to read until memory ran out:
// neither is read, and the call fails at once naming the file instead of using another device.
TEST_F(PortConfigFile, AnythingButASmallRegularFileFailsTheCall) {
    ASSERT_EQ(mkfifo(m_config.c_str(), 0600), 0);
    EXPECT_TRUE(FailsNamingTheFile("not a regular file"));
    fs::remove(m_config);

    fs::create_symlink("/dev/zero", m_config);
    EXPECT_TRUE(FailsNamingTheFile("not a regular file"));
    fs::remove(m_config);

    fs::create_directory(m_config);
    EXPECT_TRUE(FailsNamingTheFile("is a directory"));
    fs::remove(m_config);

    fs::create_symlink("outport.conf", m_config);
    EXPECT_TRUE(FailsNamingTheFile("too many levels of symbolic links"));
    fs::remove(m_config);

    // 64 KiB is read whole (the COM1 line at its very end counts); one byte more is refused.
    const std::string line = "COM1=file:" + m_capture.string() + "\n";
    constexpr std::size_t kLimit = std::size_t{64} * 1024;
    const std::string filler(kLimit - line.size() - 1, '#');
    std::ofstream(m_config) << filler << '\n' << line;
    ASSERT_EQ(fs::file_size(m_config), kLimit);
    std::array<unsigned char, 1> byte{'x'};
    EXPECT_EQ(OutPort(1, 0, byte.data()), 1) << OutPortLastError();
    EXPECT_EQ(ReadFile(m_capture), "x");
    std::ofstream(m_config) << '#' << filler << '\n' << line;
    EXPECT_TRUE(FailsNamingTheFile("larger than 64 KiB"));
}

// Root reads any file, so the send runs as an ordinary user in a child process.
TEST_F(PortConfigFile, UnreadableFileFailsTheCallInsteadOfFallingBackToTheDefault) {
    std::ofstream(m_config) << "COM1=file:" << m_capture.string() << "\n";
    ASSERT_EQ(chmod(m_config.c_str(), 0), 0);
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0755), 0);
    EXPECT_EQ(RunAsOrdinaryUser([this] { return FailsNamingTheFile("permission denied") ? 0 : 1; }),
              0);
}

TEST_F(PortConfigFile, ByteOrderMarkAtTheStartIsSkipped) {
    std::ofstream(m_config) << "\xEF\xBB\xBF"
                            << "COM1=file:" << m_capture.string() << "\n";
    std::array<unsigned char, 2> block{'o', 'k'};
    EXPECT_EQ(OutPort(2, 0, block.data()), 1) << OutPortLastError();
    EXPECT_EQ(ReadFile(m_capture), "ok");
}

} // namespace
