#pragma once

#include "settings/Preset.h"
#include "settings/PresetText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where presets live: the user's folder, which the program writes, and an administrator's
// folders, which it only reads. A user's preset hides an administrator's of the same name; of
// two administrators' folders the first listed wins.
struct PresetFolders {
    std::string user;                // $XDG_CONFIG_HOME/trovanel/presets
    std::vector<std::string> system; // trovanel/presets under each $XDG_CONFIG_DIRS folder
};

// The folders as the environment gives them: XDG_CONFIG_HOME (else ~/.config, the home folder
// coming from the user database when HOME is unset) and XDG_CONFIG_DIRS (else /etc/xdg); a
// relative entry is ignored, as the base-directory rules say.
PresetFolders PresetFoldersFromEnvironment();

enum class PresetOrigin { User, System };

struct StoredPreset {
    Preset preset;
    PresetOrigin origin;
    std::string path;
};

// A file that cannot be used, or a folder that cannot be read, with the reason.
struct UnusablePreset {
    std::string path;
    PresetOrigin origin;
    PresetProblem problem;
};

struct PresetList {
    std::vector<StoredPreset> usable;     // by name, hidden ones left out
    std::vector<UnusablePreset> unusable; // by path
};

// Reads every "*.preset" file of the folders; a missing folder holds none.
PresetList ListPresets(const PresetFolders& folders);

// The usable preset of that name; nullptr when none.
const StoredPreset* FindPreset(const PresetList& list, std::string_view name);
// The unusable file that a preset of that name would be kept in, so that asking for it by name
// can say what is wrong with it; nullptr when none.
const UnusablePreset* FindUnusablePreset(const PresetList& list, std::string_view name);

enum class PresetChange {
    Done,
    Exists,      // save without replace: the user already has a preset of that name
    Invalid,     // save: the preset does not read back as itself (CheckPreset says why)
    NotFound,    // delete: the user has no preset of that name
    CannotOpen,  // the folder or the file cannot be made or written to
    CannotWrite, // writing or removing failed; what was there is untouched
    Busy,        // another program kept changing presets for the whole wait
};

// Writes the preset into the user's folder (made when missing) atomically, under the lock of
// the folder, so that saves of different presets by several programs lose none. A preset of the
// same name the user already has is replaced only when `replace`. Importing a file is
// ReadPresetFile, then SavePreset.
PresetChange SavePreset(const PresetFolders& folders, const Preset& preset, bool replace);

// Removes the user's preset of that name, or the unusable user file that would hold it, under
// the same lock. An administrator's preset is never removed (NotFound).
PresetChange DeletePreset(const PresetFolders& folders, std::string_view name);
