#include "settings/AtomicFile.h"
#include "settings/PresetFileName.h"
#include "settings/PresetStore.h"
#include "settings/PresetText.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <variant>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TextRow {
    std::string text;
    std::optional<PresetFault> fault; // nothing: a usable preset
    std::size_t line;
};

TEST(PresetText, EachTextReadsAsAPresetOrNamesItsFirstFaultAndLine) {
    const std::string ok = "name=Shipping 4x6\n";
    const std::vector<TextRow> rows{
        {"# 4 x 6\nname=Shipping 4x6\ndescription=3 mm gap\nunit=mm\nlength=152\ngap=3\n"
         "mode=direct\n",
         std::nullopt, 0},
        {ok + "\n  # indented comment\r\ncut=-127\r\n", std::nullopt, 0},
        {ok + "unit=INCH\nlength=450\ntear=20\n", std::nullopt, 0},
        {ok + "length=0\n", PresetFault::NoUnit, 2},
        {ok + "cut=5\ntear=1\nunit=mm\ngap=37\n", PresetFault::BadValue, 5},
        {ok + "unit=inch\nlength=451\n", PresetFault::BadValue, 3},
        {ok + "unit=cm\n", PresetFault::BadValue, 2},
        {ok + "mode=thermal\n", PresetFault::BadValue, 2},
        {ok + "cut=128\n", PresetFault::BadValue, 2},
        {ok + "cut=+0\n", PresetFault::BadValue, 2},
        {ok + "port=COM1\n", PresetFault::UnknownKey, 2},
        {ok + "Unit=mm\n", PresetFault::UnknownKey, 2},
        {ok + "cut=1\ncut=2\n", PresetFault::KeyTwice, 3},
        {ok + "just words\n", PresetFault::NotKeyValue, 2},
        {ok + "=mm\n", PresetFault::NotKeyValue, 2},
        {ok + "description=caf\xC3\n", PresetFault::NotUtf8, 2},
        {ok + "description=a\x1b[2Jb\n", PresetFault::BadDescription, 2},
        {"cut=1\n", PresetFault::NoName, 0},
        {"name=..\n", PresetFault::BadName, 1},
        {"name= Shipping\n", PresetFault::BadName, 1},
        {"name=a/b\n", PresetFault::BadName, 1},
        {"name=" + std::string(65, 'x') + "\n", PresetFault::BadName, 1},
        {"unit=cm\nname=a/b\n", PresetFault::BadValue, 1},
    };
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.text);
        const auto parsed = ParsePresetText(row.text);
        if (!row.fault) {
            EXPECT_TRUE(std::holds_alternative<Preset>(parsed));
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<PresetProblem>(parsed));
        EXPECT_EQ(std::get<PresetProblem>(parsed).fault, row.fault);
        EXPECT_EQ(std::get<PresetProblem>(parsed).line, row.line);
    }
}

TEST(PresetName, EveryRuleAndAFileNameThatStaysInItsFolder) {
    const std::string emoji = "\xF0\x9F\x8F\xB7"; // 4 bytes
    std::string longest;
    for (int i = 0; i < 64; ++i) {
        longest += emoji;
    }
    const std::vector<std::pair<std::string, PresetNameFault>> rows{
        {"Shipping 4x6", PresetNameFault::None},
        {".hidden", PresetNameFault::None},
        {"100%", PresetNameFault::None},
        {longest, PresetNameFault::None},
        {longest.substr(4) + "~", PresetNameFault::None},
        {"", PresetNameFault::Empty},
        {std::string(65, 'a'), PresetNameFault::TooLong},
        {"caf\xE9", PresetNameFault::NotUtf8},
        {"a\nb", PresetNameFault::ControlCharacter},
        {"a\xE2\x80\xAE"
         "b",
         PresetNameFault::ControlCharacter}, // U+202E
        {"a/b", PresetNameFault::Slash},
        {"label ", PresetNameFault::BlankAtEnd},
        {"\xE3\x80\x80label", PresetNameFault::BlankAtEnd}, // U+3000
        {"..", PresetNameFault::DotName},
    };
    std::vector<std::string> fileNames;
    for (const auto& [name, fault] : rows) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CheckPresetName(name), fault);
        if (fault == PresetNameFault::None) {
            const std::string file = PresetFileName(name);
            EXPECT_LE(file.size(), kLongestReplacedName);
            EXPECT_EQ(file.find('/'), std::string::npos);
            EXPECT_NE(file.front(), '.');
            EXPECT_EQ(std::count(fileNames.begin(), fileNames.end(), file), 0);
            fileNames.push_back(file);
        }
    }
    EXPECT_EQ(PresetFileName("Shipping 4x6"), "Shipping 4x6.preset");
    EXPECT_EQ(PresetFileName(".hidden"), "%2Ehidden.preset");
}

TEST(ApplyPreset, SetsTheUnitFirstKeepsWhatItLeavesOutAndIsAllOrNothing) {
    CPrinterSettings settings;
    settings.m_nPort = 2;
    Preset preset;
    preset.name = "Tags";
    preset.length = 40;
    preset.unit = 0;
    EXPECT_TRUE(ApplyPreset(settings, preset).empty());
    EXPECT_EQ(settings.m_nUnit, 0);
    EXPECT_EQ(settings.m_nLengthInch, 40);
    EXPECT_EQ(settings.m_nGapMm, 3);
    EXPECT_EQ(settings.m_nPort, 2);

    const CPrinterSettings before = settings;
    preset.cut = 200;
    preset.mode = 1;
    const auto rejections = ApplyPreset(settings, preset);
    ASSERT_EQ(rejections.size(), 1U);
    EXPECT_EQ(rejections[0].fault, SettingFault::OutOfRange);
    EXPECT_EQ(settings, before);
}

TEST(PresetFolders, FollowTheBaseDirectoryRules) {
    ScopedEnvironment environment;
    const struct {
        const char* configHome;
        const char* home;
        const char* configDirs;
        PresetFolders expected;
    } rows[] = {
        {"/cfg", "/home/u", nullptr, {"/cfg/trovanel/presets", {"/etc/xdg/trovanel/presets"}}},
        {"relative",
         "/home/u",
         "",
         {"/home/u/.config/trovanel/presets", {"/etc/xdg/trovanel/presets"}}},
        {nullptr,
         "/home/u",
         "/a:relative::/b",
         {"/home/u/.config/trovanel/presets", {"/a/trovanel/presets", "/b/trovanel/presets"}}},
    };
    for (const auto& row : rows) {
        for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", row.configHome},
                                          {"HOME", row.home},
                                          {"XDG_CONFIG_DIRS", row.configDirs}}) {
            if (value != nullptr) {
                environment.Set(name, value);
            } else {
                environment.Unset(name);
            }
        }
        const PresetFolders folders = PresetFoldersFromEnvironment();
        EXPECT_EQ(folders.user, row.expected.user);
        EXPECT_EQ(folders.system, row.expected.system);
    }
}

class PresetStoreTest : public testing::Test {
protected:
    PresetStoreTest() {
        fs::create_directories(m_folders.system[0]);
        fs::create_directories(m_folders.system[1]);
    }

    static Preset Saved(const std::string& name, const CPrinterSettings& settings) {
        return PresetFromSettings(settings, name, "from the settings");
    }

    WorkDirectory m_dir;
    PresetFolders m_folders{(m_dir.path() / "home/trovanel/presets").string(),
                            {(m_dir.path() / "etc1").string(), (m_dir.path() / "etc2").string()}};
};

TEST_F(PresetStoreTest, SaveExportImportRoundTripsInBothUnits) {
    for (const int unit : {0, 1}) {
        CPrinterSettings settings;
        settings.m_nUnit = unit;
        ASSERT_TRUE(settings.SetLength(unit == 0 ? 450 : 1103).accepted);
        ASSERT_TRUE(settings.SetGap(unit == 0 ? 14 : 36).accepted);
        ASSERT_TRUE(settings.SetTearOffset(7).accepted);
        settings.m_nCutOffset = -127;
        settings.m_nPrintMode = 1;
        const Preset preset = Saved(unit == 0 ? "In inches" : "In mm", settings);
        ASSERT_EQ(SavePreset(m_folders, preset, false), PresetChange::Done);

        const PresetList list = ListPresets(m_folders);
        const StoredPreset* stored = FindPreset(list, preset.name);
        ASSERT_NE(stored, nullptr);
        WriteFile("exported", PresetText(stored->preset));
        ASSERT_EQ(DeletePreset(m_folders, preset.name), PresetChange::Done);
        const auto imported = ReadPresetFile("exported");
        ASSERT_TRUE(std::holds_alternative<Preset>(imported));
        EXPECT_EQ(std::get<Preset>(imported), preset);

        CPrinterSettings applied;
        ASSERT_TRUE(ApplyPreset(applied, std::get<Preset>(imported)).empty());
        EXPECT_EQ(applied, settings);
    }
}

TEST_F(PresetStoreTest, UsersHideAdministratorsAndUnusableFilesAreListedNotUsed) {
    CPrinterSettings settings;
    WriteFile(m_folders.system[0] + "/shipping.preset", "name=Shipping\ncut=1\n");
    WriteFile(m_folders.system[1] + "/shipping.preset", "name=Shipping\ncut=2\n");
    WriteFile(m_folders.system[1] + "/big.preset",
              "name=Big\n#" + std::string(kPresetFileLargest, 'x'));
    WriteFile(m_folders.system[1] + "/other.txt", "not a preset");
    ASSERT_EQ(mkfifo((m_folders.system[1] + "/fifo.preset").c_str(), 0644), 0);
    fs::create_directory(m_folders.system[1] + "/folder.preset");

    PresetList list = ListPresets(m_folders);
    ASSERT_EQ(list.usable.size(), 1U);
    EXPECT_EQ(list.usable[0].preset.cut, 1);
    EXPECT_EQ(list.usable[0].origin, PresetOrigin::System);
    ASSERT_EQ(list.unusable.size(), 3U);
    EXPECT_EQ(list.unusable[0].problem.fault, PresetFault::TooLarge);
    EXPECT_EQ(list.unusable[1].problem.fault, PresetFault::NotRegularFile);
    EXPECT_EQ(list.unusable[2].problem.fault, PresetFault::NotRegularFile);

    ASSERT_EQ(SavePreset(m_folders, Saved("Shipping", settings), false), PresetChange::Done);
    EXPECT_EQ(SavePreset(m_folders, Saved("Shipping", settings), false), PresetChange::Exists);
    list = ListPresets(m_folders);
    ASSERT_EQ(list.usable.size(), 1U);
    EXPECT_EQ(list.usable[0].origin, PresetOrigin::User);
    EXPECT_EQ(list.usable[0].preset.cut, 0);

    ASSERT_EQ(DeletePreset(m_folders, "Shipping"), PresetChange::Done);
    EXPECT_EQ(DeletePreset(m_folders, "Shipping"), PresetChange::NotFound);
    EXPECT_EQ(FindPreset(ListPresets(m_folders), "Shipping")->origin, PresetOrigin::System);
}

// Names the file name encodes or shortens come back from the name= line; a replaced preset
// keeps the file it had, even one named by hand, and a broken file of the user's can be deleted.
TEST_F(PresetStoreTest, NamesRoundTripAndFilesKeepTheirPlace) {
    CPrinterSettings settings;
    const std::string emoji = "\xF0\x9F\x8F\xB7";
    std::string longest;
    for (int i = 0; i < 64; ++i) {
        longest += emoji;
    }
    for (const std::string& name : {std::string(".hidden"), std::string("100% ok"), longest}) {
        ASSERT_EQ(SavePreset(m_folders, Saved(name, settings), false), PresetChange::Done);
        const PresetList list = ListPresets(m_folders);
        ASSERT_NE(FindPreset(list, name), nullptr) << name;
        EXPECT_EQ(fs::path(FindPreset(list, name)->path).parent_path(), m_folders.user);
    }

    WriteFile(m_folders.user + "/by hand.preset", "name=Handmade\ncut=1\n");
    ASSERT_EQ(SavePreset(m_folders, Saved("Handmade", settings), true), PresetChange::Done);
    EXPECT_EQ(ReadFile(m_folders.user + "/by hand.preset"),
              PresetText(Saved("Handmade", settings)));
    EXPECT_FALSE(fs::exists(m_folders.user + "/Handmade.preset"));

    WriteFile(m_folders.user + "/Broken.preset", "name=Broken\nlength=4\n");
    EXPECT_EQ(SavePreset(m_folders, Saved("Broken", settings), false), PresetChange::Exists);
    EXPECT_EQ(DeletePreset(m_folders, "Broken"), PresetChange::Done);
    EXPECT_FALSE(fs::exists(m_folders.user + "/Broken.preset"));
}

// The check for an existing preset and the write are one step: of several processes saving
// the same new preset without replacing, exactly one succeeds.
TEST_F(PresetStoreTest, OfRacingSavesOfOneNameOnlyOneWins) {
    constexpr int kSavers = 4;
    const std::vector<int> codes = RunConcurrently(kSavers, [this](int saver) {
        CPrinterSettings settings;
        settings.m_nCutOffset = saver;
        return static_cast<int>(SavePreset(m_folders, Saved("Same", settings), false));
    });
    int done = 0;
    for (const int code : codes) {
        const auto change = static_cast<PresetChange>(code);
        EXPECT_TRUE(change == PresetChange::Done || change == PresetChange::Exists) << code;
        done += change == PresetChange::Done ? 1 : 0;
    }
    EXPECT_EQ(done, 1);
}

TEST_F(PresetStoreTest, AFileOrFolderAUserCannotReadIsListedWithTheReason) {
    ASSERT_EQ(chmod(m_dir.path().c_str(), 0755), 0); // the user may reach the folders
    WriteFile(m_folders.system[0] + "/secret.preset", "name=Secret\n");
    ASSERT_EQ(chmod((m_folders.system[0] + "/secret.preset").c_str(), 0), 0);
    ASSERT_EQ(chmod(m_folders.system[1].c_str(), 0), 0);
    const int status = RunAsOrdinaryUser([this] {
        const PresetList list = ListPresets(m_folders);
        return list.usable.empty() && list.unusable.size() == 2 &&
                       list.unusable[0].problem.error == EACCES &&
                       list.unusable[1].path == m_folders.system[1]
                   ? 0
                   : 1;
    });
    chmod(m_folders.system[1].c_str(), 0755);
    EXPECT_EQ(status, 0);
}

// Each process saves its own presets over and over; every one of them is there at the end.
TEST_F(PresetStoreTest, ConcurrentSavesOfDifferentPresetsLoseNone) {
    constexpr int kSavers = 4;
    constexpr int kPresetsEach = 15;
    const std::vector<int> faults = RunConcurrently(kSavers, [this](int saver) {
        int failed = 0;
        CPrinterSettings settings;
        settings.m_nCutOffset = saver;
        for (int i = 0; i < kPresetsEach; ++i) {
            const Preset preset = Saved(std::to_string(saver) + "." + std::to_string(i), settings);
            failed += SavePreset(m_folders, preset, true) == PresetChange::Done ? 0 : 1;
        }
        return failed;
    });
    EXPECT_EQ(faults, std::vector<int>(kSavers, 0));
    const PresetList list = ListPresets(m_folders);
    EXPECT_EQ(list.usable.size(), std::size_t{kSavers} * kPresetsEach);
    EXPECT_TRUE(list.unusable.empty());
}

} // namespace
