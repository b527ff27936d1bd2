#include "settings/PresetStore.h"

#include "base/UserFolder.h"
#include "settings/AtomicFile.h"
#include "settings/FileLock.h"
#include "settings/PresetFileName.h"
#include "settings/SettingsFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <memory>
#include <set>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <variant>

namespace {

constexpr std::string_view kPresetsBelowConfig = "/trovanel/presets";

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The preset files of a folder by name; hidden files (a save's temporary) are left out.
std::variant<std::vector<std::string>, int> PresetFilesIn(const std::string& folder) {
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    if (!directory) {
        return errno;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view name = entry->d_name;
        if (name.front() != '.' && EndsWith(name, kPresetFileSuffix)) {
            names.emplace_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Adds the folder's presets to `list`, but not those whose name is in `names` already (hidden by
// an earlier folder's); adds the new names to `names`.
void ListFolder(const std::string& folder, PresetOrigin origin, PresetList& list,
                std::set<std::string>& names) {
    auto files = PresetFilesIn(folder);
    if (const int* error = std::get_if<int>(&files)) {
        if (*error != ENOENT) {
            PresetProblem problem = PresetProblem::Of(PresetFault::Unreadable);
            problem.error = *error;
            list.unusable.push_back({folder, origin, problem});
        }
        return;
    }
    for (const std::string& name : std::get<std::vector<std::string>>(files)) {
        std::string path = folder;
        path.append("/").append(name);
        auto read = ReadPresetFile(path);
        if (auto* problem = std::get_if<PresetProblem>(&read)) {
            list.unusable.push_back({std::move(path), origin, std::move(*problem)});
        } else if (Preset& preset = std::get<Preset>(read); names.insert(preset.name).second) {
            list.usable.push_back({std::move(preset), origin, std::move(path)});
        }
    }
}

// Makes the folder and those above it.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            return true;
        }
    }
}

// The change to report when the lock is not held.
PresetChange Unlocked(const FileLock& lock) {
    return LockFailure(lock) == SaveResult::Busy ? PresetChange::Busy : PresetChange::CannotOpen;
}

PresetList ListUserFolder(const PresetFolders& folders) {
    PresetList list;
    std::set<std::string> names;
    ListFolder(folders.user, PresetOrigin::User, list, names);
    return list;
}

} // namespace

PresetFolders PresetFoldersFromEnvironment() {
    PresetFolders folders{
        UserFolder("XDG_CONFIG_HOME", ".config") + std::string(kPresetsBelowConfig), {}};
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    std::string_view rest = dirs != nullptr && dirs[0] != '\0' ? dirs : "/etc/xdg";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
        if (!entry.empty() && entry.front() == '/') {
            folders.system.push_back(std::string(entry) + std::string(kPresetsBelowConfig));
        }
    }
    return folders;
}

PresetList ListPresets(const PresetFolders& folders) {
    PresetList list;
    std::set<std::string> names;
    ListFolder(folders.user, PresetOrigin::User, list, names);
    for (const std::string& folder : folders.system) {
        ListFolder(folder, PresetOrigin::System, list, names);
    }
    std::sort(
        list.usable.begin(), list.usable.end(),
        [](const StoredPreset& a, const StoredPreset& b) { return a.preset.name < b.preset.name; });
    std::sort(list.unusable.begin(), list.unusable.end(),
              [](const UnusablePreset& a, const UnusablePreset& b) { return a.path < b.path; });
    return list;
}

const StoredPreset* FindPreset(const PresetList& list, std::string_view name) {
    const auto found =
        std::find_if(list.usable.begin(), list.usable.end(),
                     [&](const StoredPreset& stored) { return stored.preset.name == name; });
    return found == list.usable.end() ? nullptr : &*found;
}

const UnusablePreset* FindUnusablePreset(const PresetList& list, std::string_view name) {
    const std::string fileName = "/" + PresetFileName(name);
    const auto found = std::find_if(
        list.unusable.begin(), list.unusable.end(),
        [&](const UnusablePreset& unusable) { return EndsWith(unusable.path, fileName); });
    return found == list.unusable.end() ? nullptr : &*found;
}

PresetChange SavePreset(const PresetFolders& folders, const Preset& preset, bool replace) {
    if (CheckPreset(preset)) {
        return PresetChange::Invalid;
    }
    if (!MakeFolders(folders.user)) {
        return PresetChange::CannotOpen;
    }
    // One lock for the folder: the check for a preset of the same name and the write are one
    // step for every other program.
    const FileLock lock(folders.user, kSettingsLockWait);
    if (!lock.Held()) {
        return Unlocked(lock);
    }
    std::string path = folders.user + "/" + PresetFileName(preset.name);
    const PresetList mine = ListUserFolder(folders);
    if (const StoredPreset* existing = FindPreset(mine, preset.name)) {
        if (!replace) {
            return PresetChange::Exists;
        }
        path = existing->path; // a file named by hand keeps its name
    } else if (!replace && FindUnusablePreset(mine, preset.name) != nullptr) {
        return PresetChange::Exists;
    }
    const std::string text = PresetText(preset);
    switch (ReplaceFile(path.c_str(), reinterpret_cast<const unsigned char*>(text.data()),
                        text.size())) {
    case SaveResult::Saved:
        return PresetChange::Done;
    case SaveResult::CannotOpen:
        return PresetChange::CannotOpen;
    case SaveResult::CannotWrite:
        return PresetChange::CannotWrite;
    case SaveResult::Busy:
        break;
    }
    return PresetChange::Busy;
}

PresetChange DeletePreset(const PresetFolders& folders, std::string_view name) {
    struct stat info {};
    if (stat(folders.user.c_str(), &info) != 0) {
        return PresetChange::NotFound;
    }
    const FileLock lock(folders.user, kSettingsLockWait);
    if (!lock.Held()) {
        return Unlocked(lock);
    }
    const PresetList mine = ListUserFolder(folders);
    std::string path;
    if (const StoredPreset* stored = FindPreset(mine, name)) {
        path = stored->path;
    } else if (const UnusablePreset* unusable = FindUnusablePreset(mine, name)) {
        path = unusable->path;
    } else {
        return PresetChange::NotFound;
    }
    return unlink(path.c_str()) == 0 ? PresetChange::Done : PresetChange::CannotWrite;
}
