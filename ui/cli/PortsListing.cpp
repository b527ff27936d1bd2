#include "ui/cli/PortsListing.h"

#include "printer/outport/OutPortDevices.h"
#include "printer/outport/address/DeviceUri.h"
#include "ui/cli/NetworkPrinterOutput.h"
#include "ui/cli/terminal/Console.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <array>
#include <future>
#include <vector>

namespace {

constexpr std::size_t kPortCount = 4;

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

// Looks up every port, their devices side by side within the listing's one deadline. A
// configuration file that cannot be used is said once on standard error, and is the status of
// the ports, which then map to nothing.
std::vector<PortReport> LookUpPorts(OutPortCancel* listing) {
    std::vector<PortReport> reports;
    QString configurationError;
    std::array<PortSettingHandle, kPortCount> settings;
    std::array<std::future<TargetHandle>, kPortCount> targets;
    for (std::size_t port = 0; port < kPortCount; ++port) {
        settings[port].reset(OutPortLookUpPort(static_cast<int>(port)));
        targets[port] = std::async(std::launch::async, [uri = settings[port]->uri, listing] {
            return TargetHandle(OutPortDescribeUriCancellable(uri, listing));
        });
    }
    for (std::size_t port = 0; port < kPortCount; ++port) {
        const PortSettingHandle& setting = settings[port];
        PortReport report;
        report.port = Text(setting->name);
        // A hand-written line may hold a password, which is never shown.
        report.uri = QString::fromStdString(WithoutCredentials(setting->uri));
        report.origin = Text(setting->origin);
        const TargetHandle target = targets[port].get();
        if (*setting->error != '\0') {
            configurationError = Text(setting->error);
            report.status = configurationError;
        } else {
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
    case OUTPORT_DEVICE_NETWORK:
        return QStringLiteral("network");
    }
    return QStringLiteral("unknown");
}

// The devices on this machine, the print queues of the user's CUPS server, then the printers
// on the network.
struct FoundDevices {
    DeviceListHandle local;
    DeviceListHandle queues;
    DeviceListHandle network;

    std::vector<const OutPortDevice*> All() const {
        std::vector<const OutPortDevice*> all;
        for (const OutPortDeviceList* list : {local.get(), queues.get(), network.get()}) {
            for (int index = 0; index < OutPortDeviceCount(list); ++index) {
                all.push_back(OutPortDeviceAt(list, index));
            }
        }
        return all;
    }
    QString QueueProblem() const { return Text(OutPortDeviceListProblem(queues.get())); }
    QString NetworkProblem() const { return Text(OutPortDeviceListProblem(network.get())); }
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
        if (device->kind == OUTPORT_DEVICE_NETWORK) {
            text += NetworkPrinterLines(*device);
        } else if (device->usable != 1) {
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
    if (!found.NetworkProblem().isEmpty()) {
        text += QCoreApplication::translate("CommandLine", "  network printers: %1\n")
                    .arg(TerminalSafe(found.NetworkProblem()));
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
        if (device->kind == OUTPORT_DEVICE_NETWORK) {
            AddNetworkPrinterKeys(object, *device);
        }
        deviceArray.append(object);
    }
    const QJsonObject object{{QStringLiteral("ports"), portArray},
                             {QStringLiteral("devices"), deviceArray},
                             {QStringLiteral("print_queues_problem"), found.QueueProblem()},
                             {QStringLiteral("network_printers_problem"), found.NetworkProblem()}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

} // namespace

ExitStatus ListPorts(bool json, int gatherMs) {
    const CancelHandle listing(OutPortListingCancelCreate());
    auto queues = std::async(std::launch::async, [&listing] {
        return DeviceListHandle(OutPortListQueues(listing.get()));
    });
    auto network = std::async(std::launch::async, [gatherMs] {
        return DeviceListHandle(OutPortListNetworkPrinters(gatherMs, nullptr));
    });
    const std::vector<PortReport> ports = LookUpPorts(listing.get());
    const FoundDevices found{DeviceListHandle(OutPortListDevices()), queues.get(), network.get()};
    if (json) {
        PrintJson(Json(ports, found));
    } else {
        PrintResult(Readable(ports, found));
    }
    return ExitStatus::Done;
}
