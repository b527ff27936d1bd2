#include "ui/cli/ShowCommand.h"

#include "printer/CommandBlock.h"
#include "printer/outport/OutPortDevices.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/Console.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <array>

namespace {

const QString kUsage = QStringLiteral("trovanel show");

// The device a port maps to now and where that comes from; empty for a port code outside the
// four, or when the port configuration cannot be read (said on standard error).
struct DeviceMapping {
    QString uri;
    QString origin;
};

DeviceMapping MapPort(std::int32_t port) {
    if (!PortWord(port)) {
        return {};
    }
    const PortSettingHandle setting(OutPortLookUpPort(port));
    if (*setting->error != '\0') {
        PrintMessage(QString::fromUtf8(setting->error));
        return {};
    }
    return {QString::fromUtf8(setting->uri), QString::fromUtf8(setting->origin)};
}

// A byte of the block as a person reads it: the control bytes by name, other bytes that are
// no printable ASCII as two hex digits.
QString ByteName(char byte) {
    switch (byte) {
    case '\x02':
        return QStringLiteral("<STX>");
    case '\x1b':
        return QStringLiteral("<ESC>");
    case '\r':
        return QStringLiteral("<CR>");
    case '\n':
        return QStringLiteral("<LF>");
    default:
        break;
    }
    if (byte >= ' ' && byte <= '~') {
        return QString(QLatin1Char(byte));
    }
    return QStringLiteral("<%1>").arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0'));
}

// The block one command line to a row.
QString ReadableBlock(const QByteArray& block) {
    QString text;
    QString row;
    for (const char byte : block) {
        row += ByteName(byte);
        if (byte == '\n') {
            text += QStringLiteral("  ") + row + QLatin1Char('\n');
            row.clear();
        }
    }
    if (!row.isEmpty()) {
        text += QStringLiteral("  ") + row + QLatin1Char('\n');
    }
    return text;
}

QString Measurement(std::int32_t mm, std::int32_t tenths) {
    return QCoreApplication::translate("CommandLine", "%1 mm, %2 (0.1 inch)").arg(mm).arg(tenths);
}

QString Readable(const CPrinterSettings& settings, const DeviceMapping& device,
                 const QByteArray& block) {
    const auto word = PortWord(settings.m_nPort);
    const QString port =
        word ? QString::fromUtf8(*word)
             : QCoreApplication::translate("CommandLine", "none (code %1)").arg(settings.m_nPort);
    QString text;
    text += QCoreApplication::translate("CommandLine", "unit: %1\n")
                .arg(QString::fromUtf8(UnitWord(settings.m_nUnit)));
    text += QCoreApplication::translate("CommandLine", "length: %1\n")
                .arg(Measurement(settings.m_nLengthMm, settings.m_nLengthInch));
    text += QCoreApplication::translate("CommandLine", "gap: %1\n")
                .arg(Measurement(settings.m_nGapMm, settings.m_nGapInch));
    text += QCoreApplication::translate("CommandLine", "tear: %1\n")
                .arg(Measurement(settings.m_nTearMm, settings.m_nTearInch));
    text +=
        QCoreApplication::translate("CommandLine", "cut: %1 pixel\n").arg(settings.m_nCutOffset);
    text += QCoreApplication::translate("CommandLine", "port: %1\n").arg(port);
    if (!device.uri.isEmpty()) {
        text += QCoreApplication::translate("CommandLine", "device: %1 (%2)\n")
                    .arg(TerminalSafe(device.uri), TerminalSafe(device.origin));
    }
    text += QCoreApplication::translate("CommandLine", "mode: %1\n")
                .arg(QString::fromUtf8(ModeWord(settings.m_nPrintMode)));
    text += QCoreApplication::translate("CommandLine", "block:\n") + ReadableBlock(block);
    return text;
}

QString Json(const CPrinterSettings& settings, const DeviceMapping& device,
             const QByteArray& block) {
    const auto port = PortWord(settings.m_nPort);
    const QJsonObject object{
        {QStringLiteral("unit"), QString::fromUtf8(UnitWord(settings.m_nUnit))},
        {QStringLiteral("length_mm"), settings.m_nLengthMm},
        {QStringLiteral("length_tenths"), settings.m_nLengthInch},
        {QStringLiteral("gap_mm"), settings.m_nGapMm},
        {QStringLiteral("gap_tenths"), settings.m_nGapInch},
        {QStringLiteral("tear_mm"), settings.m_nTearMm},
        {QStringLiteral("tear_tenths"), settings.m_nTearInch},
        {QStringLiteral("cut"), settings.m_nCutOffset},
        {QStringLiteral("port"), port ? QJsonValue(QString::fromUtf8(*port)) : QJsonValue()},
        {QStringLiteral("device"), device.uri},
        {QStringLiteral("device_origin"), device.origin},
        {QStringLiteral("mode"), QString::fromUtf8(ModeWord(settings.m_nPrintMode))},
        {QStringLiteral("block_hex"), QString::fromLatin1(block.toHex())},
    };
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace

int RunShow(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Show the saved settings, the device their port maps to and the command "
                       "block they make."));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("CommandLine", "Print one JSON object instead of text."));
    parser.addOption(json);
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "show takes no arguments.")));
    }

    CPrinterSettings settings;
    LoadSettings(settings);
    std::array<unsigned char, kCommandBufferSize> command{};
    const int size = BuildCommand(settings, command.data());
    const QByteArray block(reinterpret_cast<const char*>(command.data()), size);
    const DeviceMapping device = MapPort(settings.m_nPort);
    if (parser.isSet(json)) {
        PrintJson(Json(settings, device, block));
    } else {
        PrintResult(Readable(settings, device, block));
    }
    return static_cast<int>(ExitStatus::Done);
}
