#pragma once

#include "settings/PrinterSettings.h"

#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <vector>

// The forms in which the command line shows a whole settings record.

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
