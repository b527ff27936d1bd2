#include "SettingsFile.h"

#include "WorkDirectory.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <pwd.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

CPrinterSettings Loaded() {
    CPrinterSettings settings;
    LoadSettings(settings);
    return settings;
}

CPrinterSettings Unusual() {
    CPrinterSettings settings;
    settings.m_nUnit = -1;
    settings.m_nLengthInch = 450;
    settings.m_nGapInch = 14;
    settings.m_nCutOffset = -127;
    settings.m_nTearInch = 20;
    settings.m_nPort = -1;
    settings.m_nPrintMode = 1;
    settings.m_nLengthMm = 1143;
    settings.m_nGapMm = 36;
    settings.m_nTearMm = 50;
    return settings;
}

bool OnlyTheSettingsFileIsLeft(const fs::path& directory) {
    for (const auto& entry : fs::directory_iterator(directory)) {
        if (entry.path().filename() != kSettingsFileName) {
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
    const CPrinterSettings empty = Loaded();
    EXPECT_EQ(empty.m_nUnit, 0);
    EXPECT_EQ(empty.m_nGapMm, 0);
    EXPECT_EQ(empty.m_nGapInch, 0);
}

TEST_F(SettingsFile, ShortFileReadsTheRestAsZero) {
    WriteFile(kSettingsFileName, "0000"
                                 "0450"
                                 "0014"
                                 "-012"
                                 "0020");
    const CPrinterSettings settings = Loaded();
    EXPECT_EQ(settings.m_nUnit, 0);
    EXPECT_EQ(settings.m_nLengthInch, 450);
    EXPECT_EQ(settings.m_nGapInch, 14);
    EXPECT_EQ(settings.m_nCutOffset, -12);
    EXPECT_EQ(settings.m_nTearInch, 20);
    EXPECT_EQ(settings.m_nPort, 0);
    EXPECT_EQ(settings.m_nPrintMode, 0);
    EXPECT_EQ(settings.m_nLengthMm, 0);
    EXPECT_EQ(settings.m_nGapMm, 0);
    EXPECT_EQ(settings.m_nTearMm, 0);
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
    const CPrinterSettings settings = Loaded();
    EXPECT_EQ(settings.m_nUnit, 100);
    EXPECT_EQ(settings.m_nLengthInch, 0);
    EXPECT_EQ(settings.m_nGapInch, 0);
    EXPECT_EQ(settings.m_nCutOffset, -5);
    EXPECT_EQ(settings.m_nTearInch, 7);
    EXPECT_EQ(settings.m_nPort, 12);
    EXPECT_EQ(settings.m_nPrintMode, 9);
    EXPECT_EQ(settings.m_nLengthMm, 9999);
    EXPECT_EQ(settings.m_nGapMm, 9); // "9" + three zero bytes
    EXPECT_EQ(settings.m_nTearMm, 0);
}

TEST_F(SettingsFile, SaveWritesFortyBytesThatLoadBackExactly) {
    ASSERT_EQ(SaveSettings(Unusual()), SaveResult::Saved);
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
    EXPECT_EQ(Loaded(), Unusual());
    EXPECT_TRUE(OnlyTheSettingsFileIsLeft(m_dir.path()));
}

TEST_F(SettingsFile, ReplacedFileKeepsItsModeNewFileGetsTheUmaskDefault) {
    const mode_t previous = umask(022);
    ASSERT_EQ(SaveSettings(CPrinterSettings()), SaveResult::Saved);
    EXPECT_EQ(fs::status(kSettingsFileName).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    chmod(kSettingsFileName, 0620);
    ASSERT_EQ(SaveSettings(Unusual()), SaveResult::Saved);
    EXPECT_EQ(fs::status(kSettingsFileName).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_write);
    umask(previous);
}

TEST_F(SettingsFile, ReadOnlyFileIsNotReplacedEvenByRoot) {
    WriteFile(kSettingsFileName, "old");
    chmod(kSettingsFileName, 0444);
    EXPECT_EQ(SaveSettings(Unusual()), SaveResult::CannotOpen);
    EXPECT_EQ(ReadFile(kSettingsFileName), "old");
}

// A relative target is taken from the folder of the link that holds it, not the working one.
TEST_F(SettingsFile, SymbolicLinkIsFollowedNotReplaced) {
    fs::create_directory("real");
    fs::create_symlink("real/link.ini", kSettingsFileName);
    fs::create_symlink("settings.bin", "real/link.ini"); // dangling until the save
    ASSERT_EQ(SaveSettings(Unusual()), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink(kSettingsFileName));
    EXPECT_TRUE(fs::is_symlink("real/link.ini"));
    EXPECT_FALSE(fs::exists("settings.bin"));
    EXPECT_EQ(ReadFile("real/settings.bin").size(), kSettingsFileSize);
    EXPECT_EQ(Loaded(), Unusual());
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
        _exit(static_cast<int>(SaveSettings(Unusual())));
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
    const passwd* nobody = getpwnam("nobody");
    const bool root = geteuid() == 0;
    if (root) {
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(chown(kSettingsFileName, nobody->pw_uid, nobody->pw_gid), 0);
    }
    chmod(kSettingsFileName, 0644);
    chmod(".", 0555);
    const pid_t child = fork();
    if (child == 0) {
        if (root && setuid(nobody->pw_uid) != 0) {
            _exit(100);
        }
        _exit(static_cast<int>(SaveSettings(Unusual())));
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(SaveResult::CannotOpen));
    EXPECT_EQ(ReadFile(kSettingsFileName), "old settings");
}

} // namespace
