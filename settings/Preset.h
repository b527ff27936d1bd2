#pragma once

#include "settings/PrinterSettings.h"
#include "settings/SettingWords.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A label stock by name: the settings that describe the stock, each optional. What a preset
// leaves out stays as it is when it is applied; 0 is a value like any other. The port belongs to
// the station, never to a preset.
struct Preset {
    std::string name;
    std::string description;          // empty when none
    std::optional<std::int32_t> unit; // the record's codes: 0 tenths of an inch, 1 mm
    std::optional<std::int32_t> length;
    std::optional<std::int32_t> gap;
    std::optional<std::int32_t> tear;
    std::optional<std::int32_t> cut;
    std::optional<std::int32_t> mode; // 0 thermal transfer, 1 direct thermal

    friend bool operator==(const Preset&, const Preset&) = default;
};

inline constexpr std::size_t kPresetNameLongest = 64; // characters

// What is wrong with a preset's name; None when it is a valid one.
enum class PresetNameFault {
    None,
    Empty,
    TooLong, // more than kPresetNameLongest characters
    NotUtf8,
    ControlCharacter, // a control, a line break or a character that reorders text
    Slash,
    BlankAtEnd, // a space (of any kind) first or last
    DotName,    // "." or "..", which name folders
};
PresetNameFault CheckPresetName(std::string_view name);

// A description is one line of UTF-8 text without control characters.
bool IsValidPresetDescription(std::string_view description);

// The preset's values as `trovanel set` words, unit first: "unit=mm", "length=152", …
std::vector<SettingWord> PresetWords(const Preset& preset);

// Applies the preset's values onto `settings` as `trovanel set` applies its words, unit first,
// then the values in that unit. All or nothing: on any rejection `settings` is left as it was
// and the rejections are returned.
std::vector<SettingRejection> ApplyPreset(CPrinterSettings& settings, const Preset& preset);

// A preset holding all of the settings' stock values (unit, length, gap and tear in that unit,
// cut, mode).
Preset PresetFromSettings(const CPrinterSettings& settings, std::string name,
                          std::string description);
