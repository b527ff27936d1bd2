#include "ui/cli/PortsCommand.h"

#include "printer/outport/OutPortDevices.h"
#include "settings/SettingWords.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/Console.h"
#include "ui/ports/PortConfigWriter.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

namespace {

const QString kUsage = QStringLiteral("trovanel ports");
constexpr int kPortCount = 4;

QString Text(const char* text) {
    return QString::fromUtf8(text);
}

// What the printer reports, copied out of the library's objects.
struct PrinterReport {
    QString state = QStringLiteral("unknown");
    QStringList reasons;
    QString message;
    QString words;
};

PrinterReport ReadPrinter(const OutPortPrinterState& printer) {
    return {Text(printer.state), Text(printer.reasons).split(u' ', Qt::SkipEmptyParts),
            Text(printer.message), Text(printer.words)};
}

// The printer's state as JSON keys beside a device's or port's own.
void AddPrinterKeys(QJsonObject& object, const PrinterReport& printer) {
    object.insert(QStringLiteral("printer_state"), printer.state);
    object.insert(QStringLiteral("printer_state_reasons"),
                  QJsonArray::fromStringList(printer.reasons));
    object.insert(QStringLiteral("printer_state_message"), printer.message);
}

// A string from a device, the configuration or the user, for a line of text output.
QString Shown(const char* text) {
    return TerminalSafe(Text(text));
}

// One port: what it maps to, where that comes from, and what the device is like now.
struct PortReport {
    QString port;
    QString uri;
    QString origin;
    bool present = false;
    bool usable = false;
    QString status;
    QString fix;
    PrinterReport printer;
};

// Looks up every port. A configuration file that cannot be used is said once on standard
// error, and is the status of the ports, which then map to nothing.
std::vector<PortReport> LookUpPorts() {
    std::vector<PortReport> reports;
    QString configurationError;
    for (int port = 0; port < kPortCount; ++port) {
        const PortSettingHandle setting(OutPortLookUpPort(port));
        PortReport report;
        report.port = Text(setting->name);
        report.uri = Text(setting->uri);
        report.origin = Text(setting->origin);
        if (*setting->error != '\0') {
            configurationError = Text(setting->error);
            report.status = configurationError;
        } else {
            const TargetHandle target(OutPortDescribeUri(setting->uri));
            report.present = target->present == 1;
            report.usable = target->usable == 1;
            report.status = Text(target->status);
            report.fix = Text(target->fix);
            report.printer = ReadPrinter(target->printer);
        }
        reports.push_back(report);
    }
    if (!configurationError.isEmpty()) {
        PrintMessage(configurationError);
    }
    return reports;
}

QString KindWord(OutPortDeviceKind kind) {
    switch (kind) {
    case OUTPORT_DEVICE_SERIAL:
        return QStringLiteral("serial");
    case OUTPORT_DEVICE_USB_PRINTER:
        return QStringLiteral("usb-printer");
    case OUTPORT_DEVICE_PARALLEL:
        return QStringLiteral("parallel");
    case OUTPORT_DEVICE_CUPS_QUEUE:
        return QStringLiteral("cups");
    }
    return QStringLiteral("unknown");
}

// The devices on this machine, then the print queues of the user's CUPS server.
struct FoundDevices {
    DeviceListHandle local;
    DeviceListHandle queues;

    std::vector<const OutPortDevice*> All() const {
        std::vector<const OutPortDevice*> all;
        for (const OutPortDeviceList* list : {local.get(), queues.get()}) {
            for (int index = 0; index < OutPortDeviceCount(list); ++index) {
                all.push_back(OutPortDeviceAt(list, index));
            }
        }
        return all;
    }
    QString QueueProblem() const { return Text(OutPortDeviceListProblem(queues.get())); }
};

QString Readable(const std::vector<PortReport>& ports, const FoundDevices& found) {
    QString text = QCoreApplication::translate("CommandLine", "Ports:\n");
    for (const PortReport& port : ports) {
        text += QCoreApplication::translate("CommandLine", "  %1  %2  (%3): %4\n")
                    .arg(port.port,
                         port.uri.isEmpty() ? QCoreApplication::translate("CommandLine", "none")
                                            : TerminalSafe(port.uri),
                         TerminalSafe(port.origin), TerminalSafe(port.status));
        if (!port.fix.isEmpty()) {
            text += QCoreApplication::translate("CommandLine", "        fix: %1\n")
                        .arg(TerminalSafe(port.fix));
        }
        if (!port.printer.words.isEmpty()) {
            text += QCoreApplication::translate("CommandLine", "        printer: %1\n")
                        .arg(TerminalSafe(port.printer.words));
        }
    }
    text += QCoreApplication::translate("CommandLine", "Devices:\n");
    const std::vector<const OutPortDevice*> devices = found.All();
    for (const OutPortDevice* device : devices) {
        text += QCoreApplication::translate("CommandLine", "  %1 (%2): %3\n")
                    .arg(Shown(device->node), KindWord(device->kind),
                         device->isDefault == 1
                             ? QCoreApplication::translate("CommandLine", "%1, the default queue")
                                   .arg(Shown(device->description))
                             : Shown(device->description));
        text += QStringLiteral("        %1\n").arg(Shown(device->uri));
        if (device->usable != 1) {
            text += QCoreApplication::translate("CommandLine", "        fix: %1\n")
                        .arg(Shown(device->fix));
        }
        text += QCoreApplication::translate("CommandLine", "        printer: %1\n")
                    .arg(Shown(device->printer.words));
    }
    if (devices.empty()) {
        text += QCoreApplication::translate("CommandLine", "  none found\n");
    }
    if (!found.QueueProblem().isEmpty()) {
        text += QCoreApplication::translate("CommandLine", "  print queues: %1\n")
                    .arg(Shown(OutPortDeviceListProblem(found.queues.get())));
    }
    return text;
}

QString Json(const std::vector<PortReport>& ports, const FoundDevices& found) {
    QJsonArray portArray;
    for (const PortReport& port : ports) {
        QJsonObject object{
            {QStringLiteral("port"), port.port},     {QStringLiteral("uri"), port.uri},
            {QStringLiteral("origin"), port.origin}, {QStringLiteral("present"), port.present},
            {QStringLiteral("usable"), port.usable}, {QStringLiteral("fix"), port.fix},
        };
        AddPrinterKeys(object, port.printer);
        portArray.append(object);
    }
    QJsonArray deviceArray;
    for (const OutPortDevice* device : found.All()) {
        QJsonObject object{
            {QStringLiteral("node"), Text(device->node)},
            {QStringLiteral("uri"), Text(device->uri)},
            {QStringLiteral("kind"), KindWord(device->kind)},
            {QStringLiteral("description"), Text(device->description)},
            {QStringLiteral("usable"), device->usable == 1},
            {QStringLiteral("fix"), Text(device->fix)},
        };
        AddPrinterKeys(object, ReadPrinter(device->printer));
        if (device->kind == OUTPORT_DEVICE_CUPS_QUEUE) {
            object.insert(QStringLiteral("default"), device->isDefault == 1);
        }
        deviceArray.append(object);
    }
    const QJsonObject object{{QStringLiteral("ports"), portArray},
                             {QStringLiteral("devices"), deviceArray},
                             {QStringLiteral("print_queues_problem"), found.QueueProblem()}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

ExitStatus List(bool json) {
    const std::vector<PortReport> ports = LookUpPorts();
    const FoundDevices found{DeviceListHandle(OutPortListDevices()),
                             DeviceListHandle(OutPortListQueues(nullptr))};
    if (json) {
        PrintJson(Json(ports, found));
    } else {
        PrintResult(Readable(ports, found));
    }
    return ExitStatus::Done;
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
                             .arg(uri, Text(target->status)));
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
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        return static_cast<int>(List(parser.isSet(json)));
    }
    if (words.first() != QLatin1String("set") || words.size() != 3) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "Expected: ports set PORT URI.")));
    }
    if (parser.isSet(json)) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "ports set takes no --json.")));
    }
    return static_cast<int>(SetPort(words.at(1), words.at(2)));
}
