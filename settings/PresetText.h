#pragma once

#include "settings/Preset.h"
#include "settings/SettingWords.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

// A preset file: UTF-8 text of key=value lines (name, description and the stock's `set`
// names); '#' lines and blank lines are ignored.

inline constexpr std::size_t kPresetFileLargest = std::size_t{64} * 1024;

enum class PresetFault {
    Unreadable, // `error` says why
    NotRegularFile,
    TooLarge, // more than kPresetFileLargest bytes
    NotUtf8,
    NotKeyValue,
    UnknownKey, // `detail` is the key
    KeyTwice,   // `detail` is the key; `firstLine` where it came first
    NoName,
    BadName,        // `nameFault` says which rule
    BadDescription, // a control character
    NoUnit,         // `detail` is the key given without a unit
    BadValue,       // `rejection` says why
};

// What makes a preset file unusable, and where: `line` counts from 1; 0 for the whole file.
struct PresetProblem {
    PresetFault fault = PresetFault::NoName;
    std::size_t line = 0;
    std::string detail;
    std::size_t firstLine = 0;
    int error = 0;
    PresetNameFault nameFault = PresetNameFault::None;
    SettingRejection rejection{};

    static PresetProblem Of(PresetFault fault, std::size_t line = 0, std::string detail = {}) {
        PresetProblem problem;
        problem.fault = fault;
        problem.line = line;
        problem.detail = std::move(detail);
        return problem;
    }
};

// Reads a preset from its text, checking all of it: the first problem by line when it is not a
// usable preset.
std::variant<Preset, PresetProblem> ParsePresetText(std::string_view text);

// The text of a preset file for `preset`, which the caller has checked; reads back the same.
std::string PresetText(const Preset& preset);

// Why the preset cannot be written as it is (a bad name, a value out of range); nothing when its
// text reads back as itself.
std::optional<PresetProblem> CheckPreset(const Preset& preset);

// Reads and parses the file at `path`: a regular file of at most kPresetFileLargest bytes,
// opened without blocking (a FIFO in its place is refused, not waited on).
std::variant<Preset, PresetProblem> ReadPresetFile(const std::string& path);
