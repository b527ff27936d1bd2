#include "ui/cli/SettingWords.h"

#include "base/Characters.h"

#include <QStringList>

namespace {

const QStringList& PortWords() {
    static const QStringList words{QStringLiteral("COM1"), QStringLiteral("COM2"),
                                   QStringLiteral("LPT1"), QStringLiteral("LPT2")};
    return words;
}

// Letter case is folded by ASCII rules alone: Unicode folding would take the Kelvin sign for a
// 'k' and the long s for an 's'.
bool IsWord(const QString& text, const QString& word) {
    return EqualIgnoringAsciiCase(text.toStdString(), word.toStdString());
}

std::optional<std::int32_t> CodeOf(const QString& word, const QString& zero, const QString& one) {
    if (IsWord(word, zero)) {
        return 0;
    }
    if (IsWord(word, one)) {
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
        if (IsWord(word, PortWords().at(port))) {
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
