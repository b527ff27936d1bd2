#pragma once

#include <QStringList>

// `trovanel set NAME=VALUE …`: changes the saved settings under the dialog's rules and saves
// them, all or nothing. `arguments` are the program's name and the command's own.
// Returns the exit status.
int RunSet(const QStringList& arguments);
