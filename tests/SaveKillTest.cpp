#include "settings/SettingsFile.h"
#include "tests/WorkDirectory.h"

#include <algorithm>
#include <array>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Image(const CPrinterSettings& settings) {
    std::array<unsigned char, kSettingsFileSize> image{};
    EncodeSettings(settings, image.data());
    return {image.begin(), image.end()};
}

std::vector<std::string> Entries(const fs::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// A child saves two records in turn as fast as it can and is killed at a random moment, over
// and over: the file must always be one record whole.
TEST(SaveUnderKill, EveryKillLeavesTheOldOrTheNewFileWhole) {
    const WorkDirectory dir;
    CPrinterSettings first;
    CPrinterSettings second;
    second.m_nUnit = 0;
    second.m_nLengthMm = 1143;
    second.m_nCutOffset = -127;
    second.m_nPort = -1;
    ASSERT_EQ(SaveSettings(first), SaveResult::Saved);

    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> pauseUs(0, 4000);
    constexpr int kKills = 200;
    int newFileSeen = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned i = 0;; ++i) {
                SaveSettings(i % 2 == 0 ? second : first);
            }
        }
        usleep(static_cast<useconds_t>(pauseUs(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        const std::string content = ReadFile(kSettingsFileName);
        ASSERT_TRUE(content == Image(first) || content == Image(second))
            << "after kill " << kill << ": \"" << content << '"';
        newFileSeen += content == Image(second) ? 1 : 0;
    }
    EXPECT_GT(newFileSeen, 0) << "no save finished between the kills: the test proved nothing";
    // The next save clears whatever the killed ones left behind, their lock file too.
    ASSERT_EQ(SaveSettings(first), SaveResult::Saved);
    EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{kSettingsFileName}));
}

TEST(SaveUnderKill, OnlyAbandonedTemporaryFilesAreRemoved) {
    const WorkDirectory dir;
    std::ofstream(".Trovanel.ini.save-abc123") << "abandoned";
    std::ofstream("Trovanel.ini.backup") << "the user's";
    std::ofstream(".Trovanel.ini.save-live99") << "a save in progress";
    const int live = open(".Trovanel.ini.save-live99", O_RDONLY);
    ASSERT_EQ(flock(live, LOCK_EX), 0);

    const auto openDescriptors = [] {
        const fs::directory_iterator fds("/proc/self/fd");
        return std::distance(fs::begin(fds), fs::end(fds));
    };
    const auto before = openDescriptors();
    ASSERT_EQ(SaveSettings(CPrinterSettings()), SaveResult::Saved);
    EXPECT_EQ(openDescriptors(), before) << "the save left a descriptor open";
    EXPECT_FALSE(fs::exists(".Trovanel.ini.save-abc123"));
    EXPECT_TRUE(fs::exists(".Trovanel.ini.save-live99"));
    EXPECT_EQ(ReadFile("Trovanel.ini.backup"), "the user's");
    close(live);
}

} // namespace
