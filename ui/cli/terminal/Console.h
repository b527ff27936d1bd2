#pragma once

#include <QByteArray>
#include <QString>

// How a command ended, as its exit status.
enum class ExitStatus {
    Done = 0,
    Failed = 1, // the send or the save did not happen
    Usage = 2,  // a mistake on the command line or a value that was rejected
};

// `text` as a terminal can show it without acting on it: control characters (C0, DEL, C1) as
// \x1b, and the controls that reorder text (U+202A..U+202E, U+2066..U+2069) as \u202e. A device,
// a file or a URI can hold any of them; raw, they would forge lines, clear the screen or change
// the window's title.
QString TerminalSafe(const QString& text);

// Results go to standard output, messages and reasons to standard error; text as UTF-8.
// PrintResult takes text of whole lines: each line goes through TerminalSafe, so a value put into
// it must go through TerminalSafe first if it may hold a line break. A message is one line and
// goes through TerminalSafe whole. JSON and the block's bytes are written as they are.
void PrintResult(const QString& text);
void PrintJson(const QString& json);
void PrintResultBytes(const QByteArray& bytes);
void PrintMessage(const QString& text);

// Call first thing: a standard input, output or error the program was started without is held open
// on /dev/null, so that no file the program opens later takes its place and receives the output; a
// result written to a missing standard output then fails with EBADF.
void ReserveStandardStreams();

// The errno of the first write to standard output that failed (a full disk, a closed stream);
// 0 when every write succeeded.
int ResultWriteError();
