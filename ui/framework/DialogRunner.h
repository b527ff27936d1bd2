#pragma once

#include <QDialog>
#include <functional>

// Runs a dialog modally and returns its result. Dialogs that open others hold one, so tests
// can drive the dialog that would open with real input instead of hunting for modal windows.
using DialogRunner = std::function<int(QDialog& dialog)>;

inline int ExecDialog(QDialog& dialog) {
    return dialog.exec();
}
