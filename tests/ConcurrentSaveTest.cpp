#include "settings/FileLock.h"
#include "settings/SettingsFile.h"
#include "tests/WorkDirectory.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSavers = 4;
constexpr int kSavesEach = 150;

CPrinterSettings RecordOf(int saver) {
    CPrinterSettings settings;
    settings.m_nLengthMm = 100 + saver;
    settings.m_nCutOffset = -saver;
    return settings;
}

std::string Image(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());
    return {image.begin(), image.end()};
}

bool IsOneWholeRecord(const std::string& content) {
    for (int saver = 0; saver < kSavers; ++saver) {
        if (content == Image(RecordOf(saver))) {
            return true;
        }
    }
    return false;
}

// Each saver also clears what it takes for abandoned temporary files, so every save races the
// others' clean-up: none may fail, and every read sees one whole record.
TEST(ConcurrentSave, SeveralProcessesSavingInOneFolderNeverFailAndNeverMix) {
    const WorkDirectory dir;
    ASSERT_EQ(SaveSettings(RecordOf(0)), SaveResult::Saved);
    std::vector<pid_t> savers;
    for (int saver = 0; saver < kSavers; ++saver) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int faults = 0;
            for (int i = 0; i < kSavesEach; ++i) {
                faults += SaveSettings(RecordOf(saver)) == SaveResult::Saved ? 0 : 1;
                faults += IsOneWholeRecord(ReadFile(kSettingsFileName)) ? 0 : 1;
            }
            _exit(std::min(faults, 100));
        }
        savers.push_back(child);
    }
    for (const pid_t child : savers) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "failed saves or mixed files seen by one saver";
    }
    EXPECT_TRUE(IsOneWholeRecord(ReadFile(kSettingsFileName)));
}

// Two links to one file exclude each other; the lock file lies beside the file and goes with the
// lock, and the next lock makes it again.
TEST(ConcurrentSave, LinksToOneFileShareItsLockWhichGoesWithItsRelease) {
    namespace fs = std::filesystem;
    const WorkDirectory dir;
    fs::create_directory("elsewhere");
    WriteFile("elsewhere/outport.conf", "");
    fs::create_symlink("elsewhere/outport.conf", "outport.conf");
    fs::create_symlink("outport.conf", "again.conf");
    {
        const FileLock held("outport.conf", std::chrono::milliseconds(0));
        ASSERT_TRUE(held.Held()) << held.Error();
        EXPECT_TRUE(fs::exists("elsewhere/.outport.conf.lock"));
        const FileLock second("again.conf", std::chrono::milliseconds(20));
        EXPECT_FALSE(second.Held());
        EXPECT_EQ(second.Error(), EWOULDBLOCK);
    }
    EXPECT_FALSE(fs::exists("elsewhere/.outport.conf.lock"));
    EXPECT_TRUE(FileLock("again.conf", std::chrono::milliseconds(0)).Held());
    EXPECT_EQ(std::distance(fs::directory_iterator("elsewhere"), fs::directory_iterator()), 1);
}

// Another user waits for a lock root holds, and may lock a lock file root made.
TEST(ConcurrentSave, LockIsSharedWithOtherUsers) {
    const WorkDirectory dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    const auto lockAsNobody = [](std::chrono::milliseconds wait, int expected) {
        return RunAsOrdinaryUser([wait, expected] {
            const FileLock lock(kSettingsFileName, wait);
            return lock.Held() == (expected == 0) && lock.Error() == expected ? 0 : 1;
        });
    };
    auto held = std::make_unique<FileLock>(kSettingsFileName, std::chrono::milliseconds(0));
    ASSERT_TRUE(held->Held());
    const int waited = lockAsNobody(std::chrono::milliseconds(20), EWOULDBLOCK);
    if (waited == 100) {
        GTEST_SKIP() << "cannot become 'nobody' here";
    }
    EXPECT_EQ(waited, 0) << "not told that the lock is busy";
    held.reset();
    const int made = open(".Trovanel.ini.lock", O_CREAT | O_RDONLY | O_CLOEXEC, 0644);
    ASSERT_GE(made, 0);
    close(made);
    EXPECT_EQ(lockAsNobody(std::chrono::milliseconds(0), 0), 0) << "root's lock file refused";
}

} // namespace
