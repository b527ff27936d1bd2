#pragma once

#include <QByteArray>
#include <QString>

// How a command ended, as its exit status.
enum class ExitStatus {
    Done = 0,
    Failed = 1, // the send or the save did not happen
    Usage = 2,  // a mistake on the command line or a value that was rejected
};

// Results go to standard output, messages and reasons to standard error; text as UTF-8.
void PrintResult(const QString& text);
void PrintResultBytes(const QByteArray& bytes);
void PrintMessage(const QString& text);
