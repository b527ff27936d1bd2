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
#include <utility>

namespace {

namespace fs = std::filesystem;

CPrinterSettings Loaded() {
    CPrinterSettings settings;
    LoadSettings(settings);
    return settings;
}

// Fields in file order: unit, length, gap, cut, tear (tenths), port, mode, length, gap, tear (mm).
const CPrinterSettings kUnusual{-1, 450, 14, -127, 20, -1, 1, 1143, 36, 50};

// Nothing but the file: the lock that orders saves goes when it is released.
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

// A missing file keeps the defaults; a short one reads the rest as 0. Each field is read
// alone: digits of the next field never join it, and junk reads as 0.
TEST_F(SettingsFile, ReadingIsForgivingFieldByField) {
    EXPECT_EQ(Loaded(), CPrinterSettings());
    std::string damaged = "0100    abcd -5x+7  12ab\t\n 999999";
    damaged += std::string(4, '\0') + "0003trailing bytes past the fortieth are ignored";
    const std::pair<std::string, CPrinterSettings> rows[] = {
        {"", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"000004500014-0120020", {0, 450, 14, -12, 20, 0, 0, 0, 0, 0}},
        {damaged, {100, 0, 0, -5, 7, 12, 9, 9999, 9, 0}}, // the gap in mm is "9" and three NULs
    };
    for (const auto& [bytes, expected] : rows) {
        WriteFile(kSettingsFileName, bytes);
        EXPECT_EQ(Loaded(), expected) << bytes;
    }
}

TEST_F(SettingsFile, SaveWritesFortyBytesThatLoadBackExactly) {
    ASSERT_EQ(SaveSettings(kUnusual), SaveResult::Saved);
    EXPECT_EQ(ReadFile(kSettingsFileName), "-00104500014-1270020-0010001114300360050");
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

// In a shared folder (sticky, as /tmp is) another user's file can be writable yet not replaceable:
// the rename fails, and so does the save.
TEST_F(SettingsFile, FileThatCannotBeReplacedInASharedFolderFailsTheSave) {
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs a file of another user";
    }
    WriteFile(kSettingsFileName, "old settings");
    chmod(kSettingsFileName, 0666);
    chmod(".", 01777);
    EXPECT_EQ(RunAsOrdinaryUser([] { return static_cast<int>(SaveSettings(kUnusual)); }),
              static_cast<int>(SaveResult::CannotWrite));
    EXPECT_EQ(ReadFile(kSettingsFileName), "old settings");
    EXPECT_TRUE(OnlyTheSettingsFileIsLeft(m_dir.path()));
}

} // namespace
