#include "ui/cli/SettingWords.h"

#include "base/Characters.h"

#include <QCoreApplication>
#include <QJsonValue>
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

QString Measurement(std::int32_t mm, std::int32_t tenths) {
    return QCoreApplication::translate("CommandLine", "%1 mm, %2 (0.1 inch)").arg(mm).arg(tenths);
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

std::vector<SettingRow> SettingRows(const CPrinterSettings& settings) {
    const QString port =
        PortWord(settings.m_nPort)
            .value_or(
                QCoreApplication::translate("CommandLine", "none (code %1)").arg(settings.m_nPort));
    return {
        {QCoreApplication::translate("CommandLine", "unit: %1\n"), UnitWord(settings.m_nUnit)},
        {QCoreApplication::translate("CommandLine", "length: %1\n"),
         Measurement(settings.m_nLengthMm, settings.m_nLengthInch)},
        {QCoreApplication::translate("CommandLine", "gap: %1\n"),
         Measurement(settings.m_nGapMm, settings.m_nGapInch)},
        {QCoreApplication::translate("CommandLine", "tear: %1\n"),
         Measurement(settings.m_nTearMm, settings.m_nTearInch)},
        {QCoreApplication::translate("CommandLine", "cut: %1 pixel\n"),
         QString::number(settings.m_nCutOffset)},
        {QCoreApplication::translate("CommandLine", "port: %1\n"), port},
        {QCoreApplication::translate("CommandLine", "mode: %1\n"), ModeWord(settings.m_nPrintMode)},
    };
}

QJsonObject SettingsJson(const CPrinterSettings& settings) {
    const auto port = PortWord(settings.m_nPort);
    return {
        {QStringLiteral("unit"), UnitWord(settings.m_nUnit)},
        {QStringLiteral("length_mm"), settings.m_nLengthMm},
        {QStringLiteral("length_tenths"), settings.m_nLengthInch},
        {QStringLiteral("gap_mm"), settings.m_nGapMm},
        {QStringLiteral("gap_tenths"), settings.m_nGapInch},
        {QStringLiteral("tear_mm"), settings.m_nTearMm},
        {QStringLiteral("tear_tenths"), settings.m_nTearInch},
        {QStringLiteral("cut"), settings.m_nCutOffset},
        {QStringLiteral("port"), port ? QJsonValue(*port) : QJsonValue()},
        {QStringLiteral("mode"), ModeWord(settings.m_nPrintMode)},
    };
}
