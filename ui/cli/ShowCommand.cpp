#include "ui/cli/ShowCommand.h"

#include "printer/CommandBlock.h"
#include "printer/outport/OutPortDevices.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/SettingsView.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <array>
#include <cstddef>
#include <vector>

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

QString Readable(const CPrinterSettings& settings, const DeviceMapping& device,
                 const QByteArray& block) {
    QString text;
    const std::vector<SettingRow> rows = SettingRows(settings);
    for (std::size_t index = 0; index < rows.size(); ++index) {
        text += rows[index].line.arg(rows[index].value);
        // The device follows the port it belongs to.
        if (index == kPortRow && !device.uri.isEmpty()) {
            text += QCoreApplication::translate("CommandLine", "device: %1 (%2)\n")
                        .arg(TerminalSafe(device.uri), TerminalSafe(device.origin));
        }
    }
    text += QCoreApplication::translate("CommandLine", "block:\n") + ReadableBlock(block);
    return text;
}

QString Json(const CPrinterSettings& settings, const DeviceMapping& device,
             const QByteArray& block) {
    QJsonObject object = SettingsJson(settings);
    object.insert(QStringLiteral("device"), device.uri);
    object.insert(QStringLiteral("device_origin"), device.origin);
    object.insert(QStringLiteral("block_hex"), QString::fromLatin1(block.toHex()));
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
