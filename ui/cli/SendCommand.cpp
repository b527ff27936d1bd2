#include "ui/cli/SendCommand.h"

#include "printer/CommandBlock.h"
#include "printer/outport/OutPort.h"
#include "printer/outport/OutPortDevices.h"
#include "printer/outport/target/DeviceUri.h"
#include "settings/PrinterSettings.h"
#include "settings/SettingsFile.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/Console.h"
#include "ui/cli/SettingWords.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <array>
#include <csignal>
#include <cstdint>

namespace {

const QString kUsage = QStringLiteral("trovanel send");

// Ctrl+C, a closed terminal or a termination request cancels a send under way, so that what the
// library must undo (a print job on a server) is undone before the program ends.
OutPortCancel* g_pSendCancel = nullptr;

extern "C" void CancelSend(int /*signal*/) {
    OutPortCancelRequest(g_pSendCancel);
}

class CancelOnSignals {
public:
    CancelOnSignals() : m_pCancel(OutPortCancelCreate()) {
        g_pSendCancel = m_pCancel;
        struct sigaction action {};
        action.sa_handler = CancelSend;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            sigaction(kSignals[i], &action, &m_previous[i]);
        }
    }
    CancelOnSignals(const CancelOnSignals&) = delete;
    CancelOnSignals& operator=(const CancelOnSignals&) = delete;
    ~CancelOnSignals() {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            sigaction(kSignals[i], &m_previous[i], nullptr);
        }
        g_pSendCancel = nullptr;
        OutPortCancelDestroy(m_pCancel);
    }

    OutPortCancel* Token() const { return m_pCancel; }

private:
    static constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
    OutPortCancel* m_pCancel;
    std::array<struct sigaction, 3> m_previous{};
};

} // namespace

int RunSend(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Build the command block from the saved settings and send it to the "
                       "printer on the saved port, or on another port or device for this send."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Send on this port instead: COM1, COM2, LPT1 "
                                                 "or LPT2."),
                                  QStringLiteral("PORT"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("Send to this device URI instead of a port."),
                                QStringLiteral("URI"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Write the block's bytes to standard output and send nothing."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Say when the block was sent."));
    parser.addOptions({port, to, dryRun, verbose});
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (!parser.positionalArguments().isEmpty()) {
        return static_cast<int>(UsageError(kUsage, QStringLiteral("send takes no arguments.")));
    }

    if (parser.isSet(port) && parser.isSet(to)) {
        return static_cast<int>(
            UsageError(kUsage, QStringLiteral("Give --port or --to, not both.")));
    }
    const QByteArray uri = parser.value(to).toUtf8();
    if (parser.isSet(to)) {
        // Only the form is checked here: reaching the device is the send's own business.
        PortTarget target;
        if (const PortStatus parsed = ParseDeviceUri(uri.toStdString(), target); !parsed.ok()) {
            PrintMessage(QStringLiteral("%1: %2").arg(parser.value(to),
                                                      QString::fromStdString(parsed.reason())));
            return static_cast<int>(ExitStatus::Usage);
        }
    }

    CPrinterSettings settings;
    LoadSettings(settings);
    if (parser.isSet(port)) {
        const auto chosen = PortIndex(parser.value(port));
        if (!chosen) {
            return static_cast<int>(
                UsageError(kUsage, QStringLiteral("The port is COM1, COM2, LPT1 or LPT2, not '%1'.")
                                       .arg(parser.value(port))));
        }
        settings.m_nPort = *chosen; // for this send only; nothing is saved
    }

    std::array<unsigned char, kCommandBufferSize> command{};
    if (parser.isSet(dryRun)) {
        const int size = BuildCommand(settings, command.data());
        PrintResultBytes(QByteArray(reinterpret_cast<const char*>(command.data()), size));
        return static_cast<int>(ExitStatus::Done);
    }
    const int size = BuildCommand(settings, command.data());
    const CancelOnSignals cancel;
    const bool sent =
        parser.isSet(to)
            ? OutPortToUriCancellable(uri.constData(), size, command.data(), cancel.Token()) == 1
            : OutPortCancellable(size, settings.m_nPort, command.data(), cancel.Token()) == 1;
    if (!sent) {
        PrintMessage(QString::fromUtf8(OutPortLastError()));
        return static_cast<int>(ExitStatus::Failed);
    }
    if (parser.isSet(verbose)) {
        PrintResult(QStringLiteral("Send To Printer OK!\n"));
    }
    return static_cast<int>(ExitStatus::Done);
}
