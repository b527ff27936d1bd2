#include "ui/cli/SettingWords.h"

#include <QStringList>

namespace {

const QStringList& PortWords() {
    static const QStringList words{QStringLiteral("COM1"), QStringLiteral("COM2"),
                                   QStringLiteral("LPT1"), QStringLiteral("LPT2")};
    return words;
}

std::optional<std::int32_t> CodeOf(const QString& word, const QString& zero, const QString& one) {
    if (word.compare(zero, Qt::CaseInsensitive) == 0) {
        return 0;
    }
    if (word.compare(one, Qt::CaseInsensitive) == 0) {
        return 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> PortWord(std::int32_t port) {
    if (port < 0 || port >= PortWords().size()) {
        return std::nullopt;
    }
    return PortWords().at(port);
}

std::optional<std::int32_t> PortIndex(const QString& word) {
    for (std::int32_t port = 0; port < PortWords().size(); ++port) {
        if (word.compare(PortWords().at(port), Qt::CaseInsensitive) == 0) {
            return port;
        }
    }
    return std::nullopt;
}

QString UnitWord(std::int32_t unit) {
    return unit == 0 ? QStringLiteral("inch") : QStringLiteral("mm");
}

std::optional<std::int32_t> UnitCode(const QString& word) {
    return CodeOf(word, QStringLiteral("inch"), QStringLiteral("mm"));
}

QString ModeWord(std::int32_t mode) {
    return mode == 0 ? QStringLiteral("transfer") : QStringLiteral("direct");
}

std::optional<std::int32_t> ModeCode(const QString& word) {
    return CodeOf(word, QStringLiteral("transfer"), QStringLiteral("direct"));
}
