#include "ui/cli/SendCommand.h"

#include "printer/CommandBlock.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/address/DeviceUri.h"
#include "settings/Preset.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/PresetLookup.h"
#include "ui/cli/SendHistory.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"
#include "ui/cli/terminal/SignalCancel.h"
#include "ui/language/SettingsMessages.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace {

const QString kUsage = QStringLiteral("trovanel send");

struct SendFlags {
    bool ifChanged = false;
    bool check = false;
    bool json = false;
    bool verbose = false;
};

// What became of the block: for a check, what would.
struct SendReport {
    bool sent = false;
    QString target; // the device URI, as the port resolved it; "" when that is not known
    int bytes = 0;
    QString reason; // why it was not sent (the port's reason, or that it was sent before)
};

QString Moment(std::int64_t seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(Qt::ISODate);
}

// The device URI the block goes to: --to's, or the one the port maps to now. Empty when the
// port's mapping cannot be read; the send then fails saying why.
QString ResolvedDevice(const CPrinterSettings& settings, const QByteArray& uri) {
    if (!uri.isEmpty()) {
        return QString::fromUtf8(uri);
    }
    const PortSettingHandle setting(OutPortLookUpPort(settings.m_nPort));
    if (!setting || *setting->error != '\0') {
        return {};
    }
    return QString::fromUtf8(setting->uri);
}

// Sends the block to the device URI `uri`, or to the record's port when it is empty. A signal
// that ends the program cancels the send first, so the port is left free; the status is then
// 128 + the signal's number, as a shell reports a process the signal ended.
int Send(const CPrinterSettings& settings, const QByteArray& uri, SendReport& report) {
    std::array<unsigned char, kCommandBufferSize> command{};
    const CancelHandle cancel(OutPortCancelCreate());
    bool sent = false;
    {
        const CancelOnSignal cancelOnSignal(cancel.get());
        if (uri.isEmpty()) {
            sent = SendToPrinter(settings, command.data(), cancel.get());
        } else {
            const int size = BuildCommand(settings, command.data());
            sent =
                OutPortToUriCancellable(uri.constData(), size, command.data(), cancel.get()) == 1;
        }
    }
    report.sent = sent;
    if (!sent) {
        report.reason = QString::fromUtf8(OutPortLastError());
        PrintMessage(report.reason);
    }
    if (const int signal = CancelOnSignal::Received(); signal != 0) {
        return 128 + signal;
    }
    return static_cast<int>(sent ? ExitStatus::Done : ExitStatus::Failed);
}

// Sends unless --if-changed finds this block sent to this device already; a check only says
// which it would be. Every successful send is recorded.
int SendOrSkip(const CPrinterSettings& settings, const QByteArray& uri, const SendFlags& flags) {
    std::array<unsigned char, kCommandBufferSize> command{};
    const int size = BuildCommand(settings, command.data());
    const QByteArray block(reinterpret_cast<const char*>(command.data()), size);
    SendReport report{false, ResolvedDevice(settings, uri), 0, {}};
    const auto before = flags.ifChanged && !report.target.isEmpty()
                            ? SentBefore(report.target, block)
                            : std::nullopt;
    int status = static_cast<int>(ExitStatus::Done);
    if (before) {
        report.reason = QStringLiteral("this block was sent to this device at ") + Moment(*before);
    } else if (flags.check) {
        report.sent = true; // a check reports what a send would do
    } else {
        status = Send(settings, uri, report);
        if (report.sent) {
            RecordSend(report.target, block);
        }
    }
    report.bytes = report.sent ? size : 0;

    if (flags.json) {
        const QJsonObject object{{QStringLiteral("sent"), report.sent},
                                 {QStringLiteral("target"), report.target},
                                 {QStringLiteral("bytes"), report.bytes},
                                 {QStringLiteral("reason"), report.reason}};
        PrintJson(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
    } else if (before && (flags.check || flags.verbose)) {
        PrintResult(QCoreApplication::translate("CommandLine",
                                                "Not sent: this block was sent to %1 at %2.\n")
                        .arg(TerminalSafe(report.target), Moment(*before)));
    } else if (flags.check) {
        PrintResult(QCoreApplication::translate("CommandLine", "Would send %1 bytes to %2.\n")
                        .arg(size)
                        .arg(TerminalSafe(report.target)));
    } else if (report.sent && flags.verbose) {
        PrintResult(QCoreApplication::translate("CommandLine", "Send To Printer OK!\n"));
    }
    return status;
}

} // namespace

int RunSend(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Build the command block from the saved settings and send it to the "
                       "printer on the saved port, or on another port or device for this send."));
    const QCommandLineOption port(
        QStringLiteral("port"),
        QCoreApplication::translate("CommandLine", "Send on this port instead: COM1, COM2, LPT1 "
                                                   "or LPT2."),
        QStringLiteral("PORT"));
    const QCommandLineOption to(
        QStringLiteral("to"),
        QCoreApplication::translate("CommandLine", "Send to this device URI instead of a port."),
        QStringLiteral("URI"));
    const QCommandLineOption preset(
        QStringLiteral("preset"),
        QCoreApplication::translate("CommandLine", "Send the saved settings with this preset's "
                                                   "values over them; nothing is saved."),
        QStringLiteral("NAME"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QCoreApplication::translate(
            "CommandLine", "Write the block's bytes to standard output and send nothing."));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine", "Say when the block was sent, or why not."));
    const QCommandLineOption ifChanged(
        QStringLiteral("if-changed"),
        QCoreApplication::translate("CommandLine",
                                    "Send only when this block was not the last one sent, "
                                    "successfully, to this device."));
    const QCommandLineOption check(
        QStringLiteral("check"),
        QCoreApplication::translate("CommandLine", "Say whether the block would be sent; send "
                                                   "nothing."));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("CommandLine",
                                    "Print whether the block was sent, where to, how many bytes "
                                    "and why not, as one JSON object."));
    parser.addOptions({port, to, preset, dryRun, ifChanged, check, json, verbose});
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "send takes no arguments.")));
    }

    if (parser.isSet(dryRun) &&
        (parser.isSet(ifChanged) || parser.isSet(check) || parser.isSet(json))) {
        return static_cast<int>(
            UsageError(kUsage, QCoreApplication::translate(
                                   "CommandLine",
                                   "--dry-run does not go with --if-changed, --check or --json.")));
    }
    if (parser.isSet(port) && parser.isSet(to)) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "Give --port or --to, not both.")));
    }
    const QByteArray uri = parser.value(to).toUtf8();
    if (parser.isSet(to)) {
        // Only the form is checked here: reaching the device is the send's own business.
        PortTarget target;
        if (const PortStatus parsed = ParseDeviceUri(uri.toStdString(), target); !parsed.ok()) {
            PrintMessage(QCoreApplication::translate("CommandLine", "%1: %2")
                             .arg(QString::fromStdString(WithoutCredentials(uri.toStdString())),
                                  QString::fromStdString(parsed.reason())));
            return static_cast<int>(ExitStatus::Usage);
        }
    }

    CPrinterSettings settings;
    LoadSettings(settings);
    if (parser.isSet(preset)) {
        const std::optional<Preset> stock = NamedPreset(parser.value(preset));
        if (!stock) {
            return static_cast<int>(ExitStatus::Usage);
        }
        const QStringList rejections = SettingRejectionMessages(ApplyPreset(settings, *stock));
        for (const QString& message : rejections) {
            PrintMessage(message);
        }
        if (!rejections.isEmpty()) {
            return static_cast<int>(ExitStatus::Usage);
        }
    }
    if (parser.isSet(port)) {
        const auto chosen = PortIndex(parser.value(port).toStdString());
        if (!chosen) {
            return static_cast<int>(UsageError(
                kUsage, QCoreApplication::translate(
                            "CommandLine", "The port is COM1, COM2, LPT1 or LPT2, not '%1'.")
                            .arg(parser.value(port))));
        }
        settings.m_nPort = *chosen; // for this send only; nothing is saved
    }

    if (parser.isSet(dryRun)) {
        std::array<unsigned char, kCommandBufferSize> command{};
        const int size = BuildCommand(settings, command.data());
        PrintResultBytes(QByteArray(reinterpret_cast<const char*>(command.data()), size));
        return static_cast<int>(ExitStatus::Done);
    }
    return SendOrSkip(
        settings, uri,
        {parser.isSet(ifChanged), parser.isSet(check), parser.isSet(json), parser.isSet(verbose)});
}
