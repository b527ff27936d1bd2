#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// The words the command line uses for the settings that are codes in the record.

// "COM1", "COM2", "LPT1", "LPT2" for port indexes 0 to 3; nothing for any other code.
std::optional<QString> PortWord(std::int32_t port);
// The port index of a port's name, in any letter case.
std::optional<std::int32_t> PortIndex(const QString& word);

// "inch" for tenths of an inch (code 0), "mm" for any other code, as the record reads it.
QString UnitWord(std::int32_t unit);
std::optional<std::int32_t> UnitCode(const QString& word);

// "transfer" for thermal transfer (code 0), "direct" for any other code, as the block reads it.
QString ModeWord(std::int32_t mode);
std::optional<std::int32_t> ModeCode(const QString& word);
