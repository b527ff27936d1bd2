#pragma once

#include "settings/PrinterSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The settings as NAME=VALUE words, the way `trovanel set` and preset files write them.

// "COM1", "COM2", "LPT1", "LPT2" for port indexes 0 to 3; nothing for any other code.
std::optional<std::string_view> PortWord(std::int32_t port);
// The port index of a port's name, in any letter case.
std::optional<std::int32_t> PortIndex(std::string_view word);

// "inch" for tenths of an inch (code 0), "mm" for any other code, as the record reads it.
std::string_view UnitWord(std::int32_t unit);
std::optional<std::int32_t> UnitCode(std::string_view word);

// "transfer" for thermal transfer (code 0), "direct" for any other code, as the block reads it.
std::string_view ModeWord(std::int32_t mode);
std::optional<std::int32_t> ModeCode(std::string_view word);

// unit, length, gap, tear, cut, port, mode; the names are matched exactly.
bool IsSettingName(std::string_view name);

struct SettingWord {
    std::string name;
    std::string value;
};

enum class SettingFault {
    UnknownName,
    NotUnit,
    NotPort,
    NotMode,
    NotInteger, // a measurement that does not read as an edit box's integer
    OutOfRange, // the record refused it; `rangeMessage` is its text
};

// Why one word was refused.
struct SettingRejection {
    SettingFault fault;
    std::size_t word;              // its index among the words applied
    std::string value;             // the refused name (UnknownName) or value
    std::string_view rangeMessage; // OutOfRange only: the record's English text
};

// Applies the words as the dialog would: the codes (unit, port, mode) first, so that the
// measurements are read in the unit the words leave in force, then the measurements in their
// order, each read as an edit box's integer and checked by the record. Returns every rejection,
// codes first; `settings` holds the accepted values whatever the outcome, so a caller that wants
// all or nothing applies to a copy.
std::vector<SettingRejection> ApplySettingWords(CPrinterSettings& settings,
                                                std::span<const SettingWord> words);
