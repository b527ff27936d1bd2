#pragma once

#include "settings/PrinterSettings.h"
#include "ui/cli/terminal/Console.h"

#include <QStringList>
#include <functional>

// `trovanel set NAME=VALUE …`: changes the saved settings under the dialog's rules and saves
// them, all or nothing. `arguments` are the program's name and the command's own.
// Returns the exit status.
int RunSet(const QStringList& arguments);

// Changes the settings in place; returns the messages of what it refused.
using SettingsChange = std::function<QStringList(CPrinterSettings&)>;

// How a change of the saved settings reports itself: --check saves nothing; --diff prints a
// line for each setting that changes, --json whether anything changed and the settings before
// and after; --verbose says whether the file was saved. --diff and --json do not go together.
struct ChangeReport {
    bool check = false;
    bool diff = false;
    bool json = false;
    bool verbose = false;
};

// The path every change of the saved settings takes (set, preset apply): under the settings'
// lock, loads them, applies `change` and saves them, all or nothing; prints the refusals (exit
// 2) or why the save failed (exit 1), then the report. A file that holds the changed settings
// already is not written again.
ExitStatus ChangeSettings(const SettingsChange& change, const ChangeReport& report);
