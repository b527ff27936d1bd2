#pragma once

#include <QStringList>

// `trovanel show [--json]`: the saved settings, the device the port maps to, and the command
// block they make. `arguments` are the program's name and the command's own. Returns
// the exit status.
int RunShow(const QStringList& arguments);
