#pragma once

#include <QStringList>

// `trovanel send [--port PORT | --to URI] [--dry-run | --if-changed --check --json]`: builds the
// command block from the saved settings and sends it, as the dialog's Send does, recording each
// successful send. `arguments` are the program's name, "send" and the command's own. Returns the
// exit status.
int RunSend(const QStringList& arguments);
