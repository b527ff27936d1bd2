#pragma once

#include <QStringList>

// `trovanel preset list|show|save|apply|delete|export|import …`: label-stock presets kept as
// files in the user's folder and an administrator's. `arguments` are the program's name and the
// command's own. Returns the exit status.
int RunPreset(const QStringList& arguments);
