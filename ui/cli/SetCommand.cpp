#include "ui/cli/SetCommand.h"

#include "settings/FileLock.h"
#include "settings/PrinterSettings.h"
#include "settings/SaveResult.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/Console.h"
#include "ui/language/SettingsMessages.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <optional>
#include <vector>

namespace {

const QString kUsage = QStringLiteral("trovanel set");

// Splits NAME=VALUE pairs; says which argument is not one.
std::optional<std::vector<SettingWord>> Assignments(const QStringList& texts) {
    std::vector<SettingWord> assignments;
    for (const QString& text : texts) {
        const qsizetype equals = text.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            UsageError(
                kUsage,
                QCoreApplication::translate("CommandLine", "'%1' is not NAME=VALUE.").arg(text));
            return std::nullopt;
        }
        assignments.push_back(
            {text.left(equals).toStdString(), text.mid(equals + 1).toStdString()});
    }
    return assignments;
}

ExitStatus Report(SaveResult result) {
    switch (result) {
    case SaveResult::Saved:
        return ExitStatus::Done;
    case SaveResult::CannotOpen:
        PrintMessage(QCoreApplication::translate("CommandLine", "Cannot open Trovanel.ini file."));
        break;
    case SaveResult::CannotWrite:
        PrintMessage(QCoreApplication::translate("CommandLine", "Cannot write Trovanel.ini file."));
        break;
    case SaveResult::Busy:
        PrintMessage(QCoreApplication::translate("CommandLine", "Cannot write Trovanel.ini file."));
        PrintMessage(
            QCoreApplication::translate("CommandLine",
                                        "Another program kept saving it for %1 seconds; nothing "
                                        "was changed.")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(kSettingsLockWait).count()));
        break;
    }
    return ExitStatus::Failed;
}

ExitStatus Set(const QStringList& texts, bool verbose) {
    if (texts.isEmpty()) {
        return UsageError(kUsage, QCoreApplication::translate(
                                      "CommandLine", "set needs at least one NAME=VALUE."));
    }
    const auto assignments = Assignments(texts);
    if (!assignments) {
        return ExitStatus::Usage;
    }
    for (const SettingWord& assignment : *assignments) {
        if (!IsSettingName(assignment.name)) {
            return UsageError(kUsage, QCoreApplication::translate(
                                          "CommandLine",
                                          "Unknown setting '%1'; the names are unit, length, "
                                          "gap, tear, cut, port and mode.")
                                          .arg(QString::fromStdString(assignment.name)));
        }
    }
    return ChangeSettings(
        [&](CPrinterSettings& settings) {
            return SettingRejectionMessages(ApplySettingWords(settings, *assignments));
        },
        verbose);
}

} // namespace

ExitStatus ChangeSettings(const SettingsChange& change, bool verbose) {
    // Held from the read to the write, so that a change another program saves meanwhile is
    // neither lost nor overwritten.
    const FileLock lock = LockSettings();
    if (!lock.Held()) {
        return Report(LockFailure(lock));
    }
    CPrinterSettings settings;
    LoadSettings(settings);
    const QStringList rejections = change(settings);
    for (const QString& message : rejections) {
        PrintMessage(message);
    }
    if (!rejections.isEmpty()) {
        return ExitStatus::Usage; // a script must not be left with half of its change
    }
    const ExitStatus status = Report(WriteSettings(settings));
    if (status == ExitStatus::Done && verbose) {
        PrintResult(QCoreApplication::translate("CommandLine", "Saved Trovanel.ini.\n"));
    }
    return status;
}

int RunSet(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Change the settings and save them. Names: unit (mm or inch), length, gap, tear "
        "(in the unit in force after any unit= given here), cut (pixels), port (COM1, COM2, "
        "LPT1 or LPT2), mode (transfer or direct). If any value is rejected nothing is saved."));
    parser.addPositionalArgument(QStringLiteral("NAME=VALUE"),
                                 QCoreApplication::translate("CommandLine", "A setting."),
                                 QStringLiteral("NAME=VALUE…"));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine", "Say when the settings were saved."));
    parser.addOption(verbose);
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    return static_cast<int>(Set(parser.positionalArguments(), parser.isSet(verbose)));
}
