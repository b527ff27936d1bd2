#pragma once

#include "settings/PrinterSettings.h"

#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// The words the command line uses for the settings that are codes in the record, and the forms
// in which it shows a whole record.

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

// A setting as `show` writes it: `line` holds the translated name and a %1 for `value`
// ("length: %1\n" with "0 mm, 0 (0.1 inch)").
struct SettingRow {
    QString line;
    QString value;
};
// unit, length, gap, tear, cut, port and mode, in that order; the port is at kPortRow.
std::vector<SettingRow> SettingRows(const CPrinterSettings& settings);
inline constexpr std::size_t kPortRow = 5;

// The record under the keys of `show --json`: unit, the three measurements in both units, cut,
// port (null for a code outside the four) and mode.
QJsonObject SettingsJson(const CPrinterSettings& settings);
