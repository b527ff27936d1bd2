#include "settings/SettingsFile.h"

#include "tests/WorkDirectory.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

CPrinterSettings Loaded() {
    CPrinterSettings settings;
    LoadSettings(settings);
    return settings;
}

// Fields in file order: unit, length, gap, cut, tear (tenths), port, mode, length, gap, tear (mm).
const CPrinterSettings kUnusual{-1, 450, 14, -127, 20, -1, 1, 1143, 36, 50};

// Nothing but the file and the lock that orders saves, which is kept.
bool OnlyTheSettingsFileIsLeft(const fs::path& directory) {
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (entry.path().filename() != kSettingsFileName &&
            entry.path().filename() != ".Trovanel.ini.lock") {
            return false;
        }
    }
    return true;
}

class SettingsFile : public testing::Test {
protected:
    WorkDirectory m_dir;
};

TEST_F(SettingsFile, MissingFileKeepsTheDefaultsEmptyFileGivesZeros) {
    EXPECT_EQ(Loaded(), CPrinterSettings());
    WriteFile(kSettingsFileName, "");
    EXPECT_EQ(Loaded(), (CPrinterSettings{0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SettingsFile, ShortFileReadsTheRestAsZero) {
    WriteFile(kSettingsFileName, "0000"
                                 "0450"
                                 "0014"
                                 "-012"
                                 "0020");
    EXPECT_EQ(Loaded(), (CPrinterSettings{0, 450, 14, -12, 20, 0, 0, 0, 0, 0}));
}

// Each field is read alone: digits of the next field never join it, and junk reads as 0.
TEST_F(SettingsFile, DamagedFieldsReadFieldByField) {
    std::string bytes = "0100"
                        "    "
                        "abcd"
                        " -5x"
                        "+7  "
                        "12ab"
                        "\t\n 9"
                        "99999";
    bytes += std::string(4, '\0');
    bytes += "0003";
    bytes += "trailing bytes past the fortieth are ignored";
    WriteFile(kSettingsFileName, bytes);
    // The gap in mm is "9" and three zero bytes.
    EXPECT_EQ(Loaded(), (CPrinterSettings{100, 0, 0, -5, 7, 12, 9, 9999, 9, 0}));
}

TEST_F(SettingsFile, SaveWritesFortyBytesThatLoadBackExactly) {
    ASSERT_EQ(SaveSettings(kUnusual), SaveResult::Saved);
    EXPECT_EQ(ReadFile(kSettingsFileName), "-001"
                                           "0450"
                                           "0014"
                                           "-127"
                                           "0020"
                                           "-001"
                                           "0001"
                                           "1143"
                                           "0036"
                                           "0050");
    EXPECT_EQ(Loaded(), kUnusual);
    EXPECT_TRUE(OnlyTheSettingsFileIsLeft(m_dir.path()));
}

// The save leaves the process's umask as it was.
TEST_F(SettingsFile, ReplacedFileKeepsItsModeNewFileGetsTheUmaskDefault) {
    const mode_t previous = umask(027);
    ASSERT_EQ(SaveSettings(CPrinterSettings()), SaveResult::Saved);
    EXPECT_EQ(umask(previous), 027);
    EXPECT_EQ(fs::status(kSettingsFileName).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    chmod(kSettingsFileName, 0620);
    ASSERT_EQ(SaveSettings(kUnusual), SaveResult::Saved);
    EXPECT_EQ(fs::status(kSettingsFileName).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_write);
}

TEST_F(SettingsFile, ReadOnlyFileIsNotReplacedEvenByRoot) {
    WriteFile(kSettingsFileName, "old");
    chmod(kSettingsFileName, 0444);
    EXPECT_EQ(SaveSettings(kUnusual), SaveResult::CannotOpen);
    EXPECT_EQ(ReadFile(kSettingsFileName), "old");
}

// A relative target is taken from the folder of the link that holds it, not the working one.
TEST_F(SettingsFile, SymbolicLinkIsFollowedNotReplaced) {
    fs::create_directory("real");
    fs::create_symlink("real/link.ini", kSettingsFileName);
    fs::create_symlink("settings.bin", "real/link.ini"); // dangling until the save
    ASSERT_EQ(SaveSettings(kUnusual), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink(kSettingsFileName));
    EXPECT_TRUE(fs::is_symlink("real/link.ini"));
    EXPECT_FALSE(fs::exists("settings.bin"));
    EXPECT_EQ(ReadFile("real/settings.bin").size(), kSettingsFileSize);
    EXPECT_EQ(Loaded(), kUnusual);
}

// The write stops part way at the file size limit, set in a child process.
TEST_F(SettingsFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
    WriteFile(kSettingsFileName, "old settings");
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, 10};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(100);
        }
        _exit(static_cast<int>(SaveSettings(kUnusual)));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(SaveResult::CannotWrite));
    EXPECT_EQ(ReadFile(kSettingsFileName), "old settings");
    EXPECT_TRUE(OnlyTheSettingsFileIsLeft(m_dir.path()));
}

// Root may create files anywhere, so the save runs as an ordinary user in a child process.
TEST_F(SettingsFile, DirectoryWithoutRoomForTheTemporaryFileLeavesTheOldFile) {
    WriteFile(kSettingsFileName, "old settings");
    if (geteuid() == 0) {
        const passwd* nobody = getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown(kSettingsFileName, nobody->pw_uid, nobody->pw_gid), 0);
    }
    chmod(kSettingsFileName, 0644);
    chmod(".", 0555);
    EXPECT_EQ(RunAsOrdinaryUser([] { return static_cast<int>(SaveSettings(kUnusual)); }),
              static_cast<int>(SaveResult::CannotOpen));
    EXPECT_EQ(ReadFile(kSettingsFileName), "old settings");
}

} // namespace
