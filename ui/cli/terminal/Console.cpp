#include "ui/cli/terminal/Console.h"

#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_resultError = 0;
bool g_resultClosed = false;

bool IsBidiControl(char16_t c) {
    return (c >= u'\u202A' && c <= u'\u202E') || (c >= u'\u2066' && c <= u'\u2069');
}

// 0 when written; else the errno of the failed write.
int Write(std::FILE* stream, const QByteArray& bytes) {
    errno = 0;
    const std::size_t size = static_cast<std::size_t>(bytes.size());
    if (std::fwrite(bytes.constData(), 1, size, stream) != size || std::fflush(stream) != 0) {
        return errno != 0 ? errno : EIO;
    }
    return 0;
}

void WriteResult(const QByteArray& bytes) {
    const int error = g_resultClosed ? EBADF : Write(stdout, bytes);
    if (g_resultError == 0) {
        g_resultError = error;
    }
}

} // namespace

QString TerminalSafe(const QString& text) {
    QString safe;
    safe.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code < 0x20 || (code >= 0x7F && code <= 0x9F)) {
            safe += QStringLiteral("\\x%1").arg(code, 2, 16, QLatin1Char('0'));
        } else if (IsBidiControl(code)) {
            safe += QStringLiteral("\\u%1").arg(code, 4, 16, QLatin1Char('0'));
        } else {
            safe += c;
        }
    }
    return safe;
}

void PrintResult(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        line = TerminalSafe(line);
    }
    WriteResult(lines.join(QLatin1Char('\n')).toUtf8());
}

void PrintJson(const QString& json) {
    WriteResult(json.toUtf8());
}

void PrintResultBytes(const QByteArray& bytes) {
    WriteResult(bytes);
}

void PrintMessage(const QString& text) {
    Write(stderr, TerminalSafe(text).toUtf8() + '\n');
}

void ReserveStandardStreams() {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (fcntl(fd, F_GETFD) < 0 && errno == EBADF) {
            // open() takes the lowest free descriptor, which is this one, the ones below it being
            // open by now.
            (void)!open("/dev/null", O_RDWR | O_CLOEXEC);
            g_resultClosed = g_resultClosed || fd == STDOUT_FILENO;
        }
    }
}

int ResultWriteError() {
    return g_resultError;
}
