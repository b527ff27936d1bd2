#include "ui/cli/PortsCommand.h"

#include "printer/outport/OutPortDevices.h"
#include "printer/outport/address/DeviceUri.h"
#include "settings/SettingWords.h"
#include "ui/cli/PortsListing.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"
#include "ui/ports/PortConfigWriter.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace {

const QString kUsage = QStringLiteral("trovanel ports");

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// Keeps `uri` as the port's line; an empty URI gives the port back its default. A URI that
// does not parse is refused; one whose device cannot be used now is kept with a warning, since
// the printer may simply be unplugged.
ExitStatus SetPort(const QString& portName, const QString& uri) {
    const auto port = PortIndex(portName.toStdString());
    if (!port) {
        return UsageError(
            kUsage, QCoreApplication::translate("CommandLine",
                                                "The port is COM1, COM2, LPT1 or LPT2, not '%1'.")
                        .arg(portName));
    }
    const QByteArray uriText = uri.toUtf8();
    QStringList warning;
    if (!uri.isEmpty()) {
        const TargetHandle target(OutPortDescribeUri(uriText.constData()));
        if (target->valid != 1) {
            PrintMessage(QCoreApplication::translate("CommandLine", "%1: %2")
                             .arg(QString::fromStdString(WithoutCredentials(uriText.toStdString())),
                                  Text(target->status)));
            return ExitStatus::Usage;
        }
        if (target->usable != 1) {
            warning.push_back(
                QCoreApplication::translate("CommandLine", "Kept, but %1 cannot be used now: %2")
                    .arg(uri, Text(target->status)));
            if (*target->fix != '\0') {
                warning.push_back(
                    QCoreApplication::translate("CommandLine", "fix: %1").arg(Text(target->fix)));
            }
        }
    }
    const std::string error =
        SavePortChoices({{std::string(*PortWord(*port)), uriText.toStdString()}});
    if (!error.empty()) {
        PrintMessage(QString::fromStdString(error));
        return ExitStatus::Failed;
    }
    for (const QString& line : warning) {
        PrintMessage(line);
    }
    return ExitStatus::Done;
}

} // namespace

int RunPorts(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Show what each port maps to, where that comes from and whether it can be used, then "
        "the devices found on this machine. With set, keep URI as the port's device in "
        "outport.conf (an empty URI gives the port back its default)."));
    parser.addPositionalArgument(QStringLiteral("set"),
                                 QCoreApplication::translate("CommandLine", "Change a port."),
                                 QStringLiteral("[set PORT URI]"));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("CommandLine", "Print one JSON object instead of text."));
    parser.addOption(json);
    const QCommandLineOption timeout(
        QStringLiteral("timeout"),
        QCoreApplication::translate("CommandLine",
                                    "Look for printers on the network for at most MS "
                                    "milliseconds (1500 unless given)."),
        QStringLiteral("MS"));
    parser.addOption(timeout);
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    int gatherMs = 0;
    if (parser.isSet(timeout)) {
        bool number = false;
        gatherMs = parser.value(timeout).toInt(&number);
        if (!number || gatherMs < 1 || gatherMs > 60000) {
            return static_cast<int>(
                UsageError(kUsage, QCoreApplication::translate(
                                       "CommandLine",
                                       "--timeout takes milliseconds from 1 to 60000, not '%1'.")
                                       .arg(TerminalSafe(parser.value(timeout)))));
        }
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        return static_cast<int>(ListPorts(parser.isSet(json), gatherMs));
    }
    if (words.first() != QLatin1String("set") || words.size() != 3) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "Expected: ports set PORT URI.")));
    }
    if (parser.isSet(json)) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "ports set takes no --json.")));
    }
    if (parser.isSet(timeout)) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "ports set takes no --timeout.")));
    }
    return static_cast<int>(SetPort(words.at(1), words.at(2)));
}
