#pragma once

#include "settings/PrinterSettings.h"
#include "ui/cli/Console.h"

#include <QStringList>
#include <functional>

// `trovanel set NAME=VALUE …`: changes the saved settings under the dialog's rules and saves
// them, all or nothing. `arguments` are the program's name and the command's own.
// Returns the exit status.
int RunSet(const QStringList& arguments);

// Changes the settings in place; returns the messages of what it refused.
using SettingsChange = std::function<QStringList(CPrinterSettings&)>;

// The path every change of the saved settings takes (set, preset apply): under the settings'
// lock, loads them, applies `change` and saves them, all or nothing; prints the refusals (exit
// 2) or why the save failed (exit 1). `verbose` says when they were saved.
ExitStatus ChangeSettings(const SettingsChange& change, bool verbose);
