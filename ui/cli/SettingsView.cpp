#include "ui/cli/SettingsView.h"

#include "settings/SettingWords.h"

#include <QCoreApplication>
#include <QJsonValue>
#include <cstdint>

namespace {

QString Measurement(std::int32_t mm, std::int32_t tenths) {
    return QCoreApplication::translate("CommandLine", "%1 mm, %2 (0.1 inch)").arg(mm).arg(tenths);
}

} // namespace

std::vector<SettingRow> SettingRows(const CPrinterSettings& settings) {
    const auto word = PortWord(settings.m_nPort);
    const QString port =
        word ? QString::fromUtf8(*word)
             : QCoreApplication::translate("CommandLine", "none (code %1)").arg(settings.m_nPort);
    return {
        {QCoreApplication::translate("CommandLine", "unit: %1\n"),
         QString::fromUtf8(UnitWord(settings.m_nUnit))},
        {QCoreApplication::translate("CommandLine", "length: %1\n"),
         Measurement(settings.m_nLengthMm, settings.m_nLengthInch)},
        {QCoreApplication::translate("CommandLine", "gap: %1\n"),
         Measurement(settings.m_nGapMm, settings.m_nGapInch)},
        {QCoreApplication::translate("CommandLine", "tear: %1\n"),
         Measurement(settings.m_nTearMm, settings.m_nTearInch)},
        {QCoreApplication::translate("CommandLine", "cut: %1 pixel\n"),
         QString::number(settings.m_nCutOffset)},
        {QCoreApplication::translate("CommandLine", "port: %1\n"), port},
        {QCoreApplication::translate("CommandLine", "mode: %1\n"),
         QString::fromUtf8(ModeWord(settings.m_nPrintMode))},
    };
}

QJsonObject SettingsJson(const CPrinterSettings& settings) {
    const auto port = PortWord(settings.m_nPort);
    return {
        {QStringLiteral("unit"), QString::fromUtf8(UnitWord(settings.m_nUnit))},
        {QStringLiteral("length_mm"), settings.m_nLengthMm},
        {QStringLiteral("length_tenths"), settings.m_nLengthInch},
        {QStringLiteral("gap_mm"), settings.m_nGapMm},
        {QStringLiteral("gap_tenths"), settings.m_nGapInch},
        {QStringLiteral("tear_mm"), settings.m_nTearMm},
        {QStringLiteral("tear_tenths"), settings.m_nTearInch},
        {QStringLiteral("cut"), settings.m_nCutOffset},
        {QStringLiteral("port"), port ? QJsonValue(QString::fromUtf8(*port)) : QJsonValue()},
        {QStringLiteral("mode"), QString::fromUtf8(ModeWord(settings.m_nPrintMode))},
    };
}
