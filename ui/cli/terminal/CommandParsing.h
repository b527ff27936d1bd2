#pragma once

#include "ui/cli/terminal/Console.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>

// Adds --help to a command's parser and parses the command's arguments (the program's name
// first, then the command's own). `usage` is how the help's usage line names the command
// ("trovanel set"). Returns the status to end with when the command is not to run: its help
// was shown, or the arguments were wrong (said on standard error).
std::optional<ExitStatus> ParseCommand(QCommandLineParser& parser, const QStringList& arguments,
                                       const QString& usage);

// Says what was wrong on the command line and where to look for help on `usage` ("trovanel
// set"); the status to end with.
ExitStatus UsageError(const QString& usage, const QString& message);
