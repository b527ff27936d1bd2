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
    const std::vector<int> faults = RunConcurrently(kSavers, [](int saver) {
        int seen = 0;
        for (int i = 0; i < kSavesEach; ++i) {
            seen += SaveSettings(RecordOf(saver)) == SaveResult::Saved ? 0 : 1;
            seen += IsOneWholeRecord(ReadFile(kSettingsFileName)) ? 0 : 1;
        }
        return std::min(seen, 100);
    });
    EXPECT_EQ(faults, std::vector<int>(kSavers, 0))
        << "failed saves or mixed files seen by a saver";
    EXPECT_TRUE(IsOneWholeRecord(ReadFile(kSettingsFileName)));
}

// Two links to one file exclude each other; the lock file lies beside the file and goes with the
// lock. Another user waits for a lock root holds, and may lock a lock file root made.
TEST(ConcurrentSave, LinksShareTheLockWhichGoesWithItsReleaseAndServesOtherUsers) {
    namespace fs = std::filesystem;
    using std::chrono::milliseconds;
    const WorkDirectory dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    WriteFile("real.ini", "");
    fs::create_symlink("real.ini", kSettingsFileName);
    fs::create_symlink(kSettingsFileName, "again.ini");
    const auto lockAsNobody = [](milliseconds wait, int expected) {
        return RunAsOrdinaryUser([wait, expected] {
            return FileLock(kSettingsFileName, wait).Error() == expected ? 0 : 1;
        });
    };
    auto held = std::make_unique<FileLock>("again.ini", milliseconds(0));
    ASSERT_TRUE(held->Held());
    EXPECT_TRUE(fs::exists(".real.ini.lock"));
    EXPECT_EQ(FileLock(kSettingsFileName, milliseconds(20)).Error(), EWOULDBLOCK);
    const int waited = lockAsNobody(milliseconds(20), EWOULDBLOCK);
    held.reset();
    EXPECT_FALSE(fs::exists(".real.ini.lock"));
    if (waited == 100) {
        GTEST_SKIP() << "cannot become 'nobody' here";
    }
    EXPECT_EQ(waited, 0) << "not told that the lock is busy";
    close(open(".real.ini.lock", O_CREAT | O_RDONLY | O_CLOEXEC, 0644));
    EXPECT_EQ(lockAsNobody(milliseconds(0), 0), 0) << "root's lock file refused";
}

} // namespace
