#include "ui/cli/SetCommand.h"

#include "settings/FileLock.h"
#include "settings/PrinterSettings.h"
#include "settings/SaveResult.h"
#include "settings/SettingWords.h"
#include "settings/SettingsFile.h"
#include "ui/cli/SettingsView.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"
#include "ui/language/SettingsMessages.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <chrono>
#include <cstddef>
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

// One line for each setting whose shown value changes, as show writes it with before and after.
// A record that shows no change but differs from the file (a missing, short or damaged file)
// is said too, since saving rewrites the file.
void PrintDifference(const CPrinterSettings& before, const CPrinterSettings& after, bool changed,
                     bool check) {
    const std::vector<SettingRow> old = SettingRows(before);
    const std::vector<SettingRow> now = SettingRows(after);
    QString text;
    for (std::size_t index = 0; index < now.size(); ++index) {
        if (old[index].value != now[index].value) {
            text += now[index].line.arg(QCoreApplication::translate("CommandLine", "%1 -> %2")
                                            .arg(old[index].value, now[index].value));
        }
    }
    if (changed && text.isEmpty()) {
        text =
            check ? QCoreApplication::translate(
                        "CommandLine", "Trovanel.ini would be written whole with these settings.\n")
                  : QCoreApplication::translate(
                        "CommandLine", "Trovanel.ini was written whole with these settings.\n");
    }
    if (!changed && check) {
        text = QCoreApplication::translate("CommandLine", "Nothing would change.\n");
    }
    PrintResult(text);
}

void PrintJsonReport(const CPrinterSettings& before, const CPrinterSettings& after, bool changed) {
    const QJsonObject object{
        {QStringLiteral("changed"), changed},
        {QStringLiteral("before"), SettingsJson(before)},
        {QStringLiteral("after"), SettingsJson(after)},
    };
    PrintJson(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented)));
}

ExitStatus Set(const QStringList& texts, const ChangeReport& report) {
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
        report);
}

} // namespace

ExitStatus ChangeSettings(const SettingsChange& change, const ChangeReport& report) {
    // Held from the read to the write, so that a change another program saves meanwhile is
    // neither lost nor overwritten. A check writes nothing, not even the lock file.
    std::optional<FileLock> lock;
    if (!report.check) {
        lock.emplace(LockSettings());
        if (!lock->Held()) {
            return Report(LockFailure(*lock));
        }
    }
    CPrinterSettings before;
    LoadSettings(before);
    CPrinterSettings after = before;
    const QStringList rejections = change(after);
    for (const QString& message : rejections) {
        PrintMessage(message);
    }
    if (!rejections.isEmpty()) {
        return ExitStatus::Usage; // a script must not be left with half of its change
    }
    // A file that holds these bytes already is left alone, so that applying the same settings
    // again changes nothing at all.
    const bool changed = !SettingsFileHolds(after);
    if (changed && !report.check) {
        if (const ExitStatus status = Report(WriteSettings(after)); status != ExitStatus::Done) {
            return status;
        }
    }
    if (report.json) {
        PrintJsonReport(before, after, changed);
    } else if (report.diff || report.check) {
        PrintDifference(before, after, changed, report.check);
    }
    if (report.verbose && !report.check) {
        PrintResult(changed ? QCoreApplication::translate("CommandLine", "Saved Trovanel.ini.\n")
                            : QCoreApplication::translate(
                                  "CommandLine", "Trovanel.ini holds these settings already.\n"));
    }
    return ExitStatus::Done;
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
    const QCommandLineOption check(
        QStringLiteral("check"),
        QCoreApplication::translate("CommandLine",
                                    "Check the values and say what would change; save nothing."));
    const QCommandLineOption diff(
        QStringLiteral("diff"),
        QCoreApplication::translate("CommandLine",
                                    "Print one line for each setting that changes, before and "
                                    "after."));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("CommandLine",
                                    "Print whether anything changed and the settings before and "
                                    "after as one JSON object."));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine", "Say when the settings were saved."));
    parser.addOptions({check, diff, json, verbose});
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (parser.isSet(diff) && parser.isSet(json)) {
        return static_cast<int>(
            UsageError(kUsage, QCoreApplication::translate("CommandLine",
                                                           "Give --diff or --json, not both.")));
    }
    return static_cast<int>(
        Set(parser.positionalArguments(),
            {parser.isSet(check), parser.isSet(diff), parser.isSet(json), parser.isSet(verbose)}));
}
