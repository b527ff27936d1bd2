#pragma once

#include "ui/cli/SetCommand.h"
#include "ui/cli/terminal/Console.h"

#include <QString>
#include <optional>
#include <string>

// The preset commands that write: a preset file, the saved settings, or an exported file. Each
// checks everything before it writes anything and prints what it refused.

// `preset save NAME`: the saved settings (Trovanel.ini) as the user's preset.
ExitStatus SaveFromSettings(const QString& name, const QString& description, bool replace);

// `preset apply NAME`: the preset's values into the saved settings, as `set` changes them, and
// reported as `set` reports.
ExitStatus ApplyToSettings(const QString& name, const ChangeReport& report);

// `preset delete NAME`: one of the user's presets; an administrator's is refused.
ExitStatus Delete(const QString& name);

// `preset export NAME FILE`: the preset's text replaces FILE atomically.
ExitStatus WriteExport(const QString& file, const std::string& text);

// `preset import FILE`: a preset file, checked whole, as one of the user's presets, renamed to
// `as` when given.
ExitStatus Import(const QString& file, const std::optional<QString>& as, bool replace);
