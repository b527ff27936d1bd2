#include "settings/PresetText.h"

#include "base/Characters.h"
#include "base/EditInteger.h"
#include "base/IoLoops.h"
#include "base/UniqueFd.h"
#include "base/Utf8.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <vector>

namespace {

// The keys in the order a written file gives them.
constexpr std::array<std::string_view, 8> kKeys{"name", "description", "unit", "length",
                                                "gap",  "tear",        "cut",  "mode"};

struct Entry {
    std::string_view key;
    std::string_view value;
    std::size_t line;
};

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t LineOfOffset(std::string_view text, std::size_t offset) {
    return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + offset, '\n'));
}

// Splits the text into entries; the first line that is neither blank, a comment, nor a known
// key given once is a problem.
std::variant<std::vector<Entry>, PresetProblem> Entries(std::string_view text) {
    std::vector<Entry> entries;
    std::size_t line = 0;
    while (!text.empty()) {
        ++line;
        const std::size_t end = text.find('\n');
        std::string_view content = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!content.empty() && content.back() == '\r') {
            content.remove_suffix(1); // a file written on another system
        }
        const std::string_view trimmed = TrimBlanks(content);
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const std::size_t equals = content.find('=');
        const std::string_view key =
            TrimBlanks(content.substr(0, equals == std::string_view::npos ? 0 : equals));
        if (key.empty()) {
            return PresetProblem::Of(PresetFault::NotKeyValue, line);
        }
        if (std::find(kKeys.begin(), kKeys.end(), key) == kKeys.end()) {
            return PresetProblem::Of(PresetFault::UnknownKey, line, std::string(key));
        }
        const auto earlier = std::find_if(entries.begin(), entries.end(),
                                          [&](const Entry& entry) { return entry.key == key; });
        if (earlier != entries.end()) {
            PresetProblem problem =
                PresetProblem::Of(PresetFault::KeyTwice, line, std::string(key));
            problem.firstLine = earlier->line;
            return problem;
        }
        entries.push_back({key, content.substr(equals + 1), line});
    }
    return entries;
}

const Entry* Find(const std::vector<Entry>& entries, std::string_view key) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const Entry& entry) { return entry.key == key; });
    return found == entries.end() ? nullptr : &*found;
}

std::optional<PresetProblem> CheckNameAndDescription(const std::vector<Entry>& entries) {
    const Entry* name = Find(entries, "name");
    if (name == nullptr) {
        return PresetProblem::Of(PresetFault::NoName, 0);
    }
    if (const PresetNameFault fault = CheckPresetName(name->value);
        fault != PresetNameFault::None) {
        PresetProblem problem = PresetProblem::Of(PresetFault::BadName, name->line);
        problem.nameFault = fault;
        return problem;
    }
    const Entry* description = Find(entries, "description");
    if (description != nullptr && !IsValidPresetDescription(description->value)) {
        return PresetProblem::Of(PresetFault::BadDescription, description->line);
    }
    return std::nullopt;
}

// Checks the values as `trovanel set` would take them, on a record in the preset's own unit.
std::optional<PresetProblem> CheckValues(const std::vector<Entry>& entries,
                                         const std::vector<const Entry*>& values) {
    if (Find(entries, "unit") == nullptr) {
        for (const Entry* value : values) {
            if (value->key == "length" || value->key == "gap" || value->key == "tear") {
                return PresetProblem::Of(PresetFault::NoUnit, value->line, std::string(value->key));
            }
        }
    }
    std::vector<SettingWord> words;
    words.reserve(values.size());
    for (const Entry* value : values) {
        words.push_back({std::string(value->key), std::string(value->value)});
    }
    CPrinterSettings scratch;
    const auto rejections = ApplySettingWords(scratch, words);
    if (rejections.empty()) {
        return std::nullopt;
    }
    const auto first = std::min_element(
        rejections.begin(), rejections.end(),
        [](const SettingRejection& a, const SettingRejection& b) { return a.word < b.word; });
    PresetProblem problem = PresetProblem::Of(PresetFault::BadValue, values[first->word]->line);
    problem.rejection = *first;
    return problem;
}

Preset Build(const std::vector<Entry>& entries) {
    Preset preset;
    const auto number = [&](std::string_view key) -> std::optional<std::int32_t> {
        const Entry* entry = Find(entries, key);
        return entry == nullptr ? std::nullopt : ReadEditInteger(entry->value);
    };
    preset.name = std::string(Find(entries, "name")->value);
    if (const Entry* description = Find(entries, "description")) {
        preset.description = std::string(description->value);
    }
    if (const Entry* unit = Find(entries, "unit")) {
        preset.unit = UnitCode(unit->value);
    }
    preset.length = number("length");
    preset.gap = number("gap");
    preset.tear = number("tear");
    preset.cut = number("cut");
    if (const Entry* mode = Find(entries, "mode")) {
        preset.mode = ModeCode(mode->value);
    }
    return preset;
}

} // namespace

std::variant<Preset, PresetProblem> ParsePresetText(std::string_view text) {
    if (const std::size_t bad = FirstInvalidUtf8(text); bad != std::string_view::npos) {
        return PresetProblem::Of(PresetFault::NotUtf8, LineOfOffset(text, bad));
    }
    auto parsed = Entries(text);
    if (auto* problem = std::get_if<PresetProblem>(&parsed)) {
        return std::move(*problem);
    }
    const auto& entries = std::get<std::vector<Entry>>(parsed);
    std::vector<const Entry*> values;
    for (const Entry& entry : entries) {
        if (entry.key != "name" && entry.key != "description") {
            values.push_back(&entry);
        }
    }
    // Every fault counts, and the one on the earliest line is reported.
    std::optional<PresetProblem> found = CheckNameAndDescription(entries);
    if (auto valueProblem = CheckValues(entries, values)) {
        if (!found || (found->line != 0 && valueProblem->line < found->line)) {
            found = std::move(valueProblem);
        }
    }
    if (found) {
        return std::move(*found);
    }
    return Build(entries);
}

std::string PresetText(const Preset& preset) {
    std::string text = "name=" + preset.name + "\n";
    if (!preset.description.empty()) {
        text += "description=" + preset.description + "\n";
    }
    for (const SettingWord& word : PresetWords(preset)) {
        text += word.name + "=" + word.value + "\n";
    }
    return text;
}

std::optional<PresetProblem> CheckPreset(const Preset& preset) {
    if (const PresetNameFault fault = CheckPresetName(preset.name);
        fault != PresetNameFault::None) {
        PresetProblem problem = PresetProblem::Of(PresetFault::BadName, 0);
        problem.nameFault = fault;
        return problem;
    }
    if (!IsValidPresetDescription(preset.description)) {
        return PresetProblem::Of(PresetFault::BadDescription, 0);
    }
    auto parsed = ParsePresetText(PresetText(preset));
    if (auto* problem = std::get_if<PresetProblem>(&parsed)) {
        problem->line = 0; // a line of a text nobody sees
        return std::move(*problem);
    }
    return std::nullopt;
}

std::variant<Preset, PresetProblem> ReadPresetFile(const std::string& path) {
    const auto failed = [](int error) {
        PresetProblem problem = PresetProblem::Of(PresetFault::Unreadable);
        problem.error = error;
        return problem;
    };
    const UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return failed(errno);
    }
    struct stat info {};
    if (fstat(fd.get(), &info) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return PresetProblem::Of(PresetFault::NotRegularFile);
    }
    if (info.st_size > static_cast<off_t>(kPresetFileLargest)) {
        return PresetProblem::Of(PresetFault::TooLarge);
    }
    // Sized by fstat, so a listing does not clear 64 KiB for every small file; a byte more tells
    // a file that grew meanwhile, which is then read on up to one byte past the limit.
    std::string text(static_cast<std::size_t>(info.st_size) + 1, '\0');
    IoOutcome read = ReadLoop(fd.get(), reinterpret_cast<unsigned char*>(text.data()), text.size());
    if (read.error == 0 && read.done == text.size()) {
        text.resize(kPresetFileLargest + 1);
        const IoOutcome rest = ReadLoop(
            fd.get(), reinterpret_cast<unsigned char*>(&text[read.done]), text.size() - read.done);
        read = {rest.error, read.done + rest.done};
    }
    if (read.error != 0) {
        return failed(read.error);
    }
    if (read.done > kPresetFileLargest) {
        return PresetProblem::Of(PresetFault::TooLarge);
    }
    text.resize(read.done);
    return ParsePresetText(text);
}
