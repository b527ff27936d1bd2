#include "settings/Preset.h"

#include "base/Utf8.h"

namespace {

void AddWord(std::vector<SettingWord>& words, std::string_view name,
             const std::optional<std::int32_t>& value) {
    if (value) {
        words.push_back({std::string(name), std::to_string(*value)});
    }
}

} // namespace

PresetNameFault CheckPresetName(std::string_view name) {
    if (name.empty()) {
        return PresetNameFault::Empty;
    }
    if (FirstInvalidUtf8(name) != std::string_view::npos) {
        return PresetNameFault::NotUtf8;
    }
    std::size_t count = 0;
    char32_t first = 0;
    char32_t last = 0;
    for (std::size_t pos = 0; pos < name.size(); ++count) {
        const Utf8Character character = *DecodeUtf8(name, pos);
        if (IsControlCharacter(character.code)) {
            return PresetNameFault::ControlCharacter;
        }
        if (character.code == '/') {
            return PresetNameFault::Slash;
        }
        first = pos == 0 ? character.code : first;
        last = character.code;
        pos += character.size;
    }
    if (count > kPresetNameLongest) {
        return PresetNameFault::TooLong;
    }
    if (IsBlankCharacter(first) || IsBlankCharacter(last)) {
        return PresetNameFault::BlankAtEnd;
    }
    if (name == "." || name == "..") {
        return PresetNameFault::DotName;
    }
    return PresetNameFault::None;
}

bool IsValidPresetDescription(std::string_view description) {
    if (FirstInvalidUtf8(description) != std::string_view::npos) {
        return false;
    }
    for (std::size_t pos = 0; pos < description.size();) {
        const Utf8Character character = *DecodeUtf8(description, pos);
        if (IsControlCharacter(character.code)) {
            return false;
        }
        pos += character.size;
    }
    return true;
}

std::vector<SettingWord> PresetWords(const Preset& preset) {
    std::vector<SettingWord> words;
    if (preset.unit) {
        words.push_back({"unit", std::string(UnitWord(*preset.unit))});
    }
    AddWord(words, "length", preset.length);
    AddWord(words, "gap", preset.gap);
    AddWord(words, "tear", preset.tear);
    AddWord(words, "cut", preset.cut);
    if (preset.mode) {
        words.push_back({"mode", std::string(ModeWord(*preset.mode))});
    }
    return words;
}

std::vector<SettingRejection> ApplyPreset(CPrinterSettings& settings, const Preset& preset) {
    CPrinterSettings changed = settings;
    auto rejections = ApplySettingWords(changed, PresetWords(preset));
    if (rejections.empty()) {
        settings = changed;
    }
    return rejections;
}

Preset PresetFromSettings(const CPrinterSettings& settings, std::string name,
                          std::string description) {
    const ShownValues shown = settings.Shown();
    return {std::move(name),
            std::move(description),
            settings.InchUnit() ? 0 : 1,
            shown.length,
            shown.gap,
            shown.tear,
            settings.m_nCutOffset,
            settings.m_nPrintMode == 0 ? 0 : 1};
}
