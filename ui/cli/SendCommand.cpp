#include "ui/cli/SendCommand.h"

#include "printer/CommandBlock.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/address/DeviceUri.h"
#include "settings/Preset.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/Console.h"
#include "ui/cli/PresetLookup.h"
#include "ui/cli/SignalCancel.h"
#include "ui/language/SettingsMessages.h"
#include "ui/ports/PortLibraryHandles.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace {

const QString kUsage = QStringLiteral("trovanel send");

// Sends the block to the device URI `uri`, or to the record's port when it is empty. A signal
// that ends the program cancels the send first, so the port is left free; the status is then
// 128 + the signal's number, as a shell reports a process the signal ended.
int Send(const CPrinterSettings& settings, const QByteArray& uri, bool verbose) {
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
    if (!sent) {
        PrintMessage(QString::fromUtf8(OutPortLastError()));
    }
    if (const int signal = CancelOnSignal::Received(); signal != 0) {
        return 128 + signal;
    }
    if (!sent) {
        return static_cast<int>(ExitStatus::Failed);
    }
    if (verbose) {
        PrintResult(QCoreApplication::translate("CommandLine", "Send To Printer OK!\n"));
    }
    return static_cast<int>(ExitStatus::Done);
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
        QCoreApplication::translate("CommandLine", "Say when the block was sent."));
    parser.addOptions({port, to, preset, dryRun, verbose});
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "send takes no arguments.")));
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
    return Send(settings, uri, parser.isSet(verbose));
}
