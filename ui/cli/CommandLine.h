#pragma once

#include <QStringList>

// Runs one command of the command line (`arguments` as the program got them, its name first)
// and returns the exit status: 0 done, 1 the send or the save failed, 2 a usage mistake or a
// rejected value. Needs a QCoreApplication; never opens a window.
int RunCommandLine(const QStringList& arguments);
