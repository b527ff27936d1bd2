#include "ui/cli/Console.h"

#include <cstdio>

namespace {

void Write(std::FILE* stream, const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

} // namespace

void PrintResult(const QString& text) {
    Write(stdout, text.toUtf8());
}

void PrintResultBytes(const QByteArray& bytes) {
    Write(stdout, bytes);
}

void PrintMessage(const QString& text) {
    Write(stderr, text.toUtf8() + '\n');
}
