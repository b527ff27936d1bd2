#include "ui/cli/PresetChanges.h"

#include "settings/AtomicFile.h"
#include "settings/Preset.h"
#include "settings/PresetStore.h"
#include "settings/PresetText.h"
#include "settings/PrinterSettings.h"
#include "settings/SaveResult.h"
#include "settings/SettingsFile.h"
#include "ui/cli/PresetLookup.h"
#include "ui/cli/SetCommand.h"
#include "ui/cli/terminal/Console.h"
#include "ui/language/SettingsMessages.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <chrono>
#include <optional>
#include <string>
#include <variant>

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Says why a preset cannot be kept as it is: a refused name (exit 2 for all of them).
ExitStatus Refuse(const Preset& preset, const PresetProblem& problem) {
    const QString name = Text(preset.name);
    switch (problem.fault) {
    case PresetFault::BadName:
        PrintMessage(NameRefusal(name, problem.nameFault));
        break;
    case PresetFault::BadValue:
        PrintMessage(SettingRejectionMessage(problem.rejection));
        break;
    default:
        PrintMessage(
            QCoreApplication::translate("CommandLine", "The preset '%1' cannot be kept: %2")
                .arg(name, PresetProblemMessage(problem)));
        break;
    }
    return ExitStatus::Usage;
}

ExitStatus Report(PresetChange change, const QString& name, const PresetFolders& folders) {
    const QString folder = TerminalSafe(Text(folders.user));
    switch (change) {
    case PresetChange::Done:
        return ExitStatus::Done;
    case PresetChange::Exists:
        PrintMessage(QCoreApplication::translate("CommandLine",
                                                 "The preset '%1' exists already; give --force to "
                                                 "replace it.")
                         .arg(name));
        return ExitStatus::Usage;
    case PresetChange::Invalid: // checked before the save, so not expected here
        PrintMessage(QCoreApplication::translate("CommandLine", "The preset '%1' cannot be kept.")
                         .arg(name));
        return ExitStatus::Usage;
    case PresetChange::NotFound:
        PrintMessage(QCoreApplication::translate("CommandLine", "No preset '%1'.").arg(name));
        return ExitStatus::Usage;
    case PresetChange::CannotOpen:
        PrintMessage(
            QCoreApplication::translate("CommandLine", "Cannot open the presets folder %1.")
                .arg(folder));
        break;
    case PresetChange::CannotWrite:
        PrintMessage(
            QCoreApplication::translate("CommandLine", "Cannot write the preset file in %1.")
                .arg(folder));
        break;
    case PresetChange::Busy:
        PrintMessage(
            QCoreApplication::translate("CommandLine",
                                        "Another program kept changing the presets for %1 "
                                        "seconds; nothing was changed.")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(kSettingsLockWait).count()));
        break;
    }
    return ExitStatus::Failed;
}

ExitStatus Save(const Preset& preset, bool replace) {
    if (const auto problem = CheckPreset(preset)) {
        return Refuse(preset, *problem);
    }
    const PresetFolders folders = PresetFoldersFromEnvironment();
    return Report(SavePreset(folders, preset, replace), Text(preset.name), folders);
}

} // namespace

ExitStatus SaveFromSettings(const QString& name, const QString& description, bool replace) {
    CPrinterSettings settings;
    LoadSettings(settings);
    return Save(PresetFromSettings(settings, name.toStdString(), description.toStdString()),
                replace);
}

ExitStatus ApplyToSettings(const QString& name, const ChangeReport& report) {
    const std::optional<Preset> preset = NamedPreset(name);
    if (!preset) {
        return ExitStatus::Usage;
    }
    return ChangeSettings(
        [&](CPrinterSettings& settings) {
            return SettingRejectionMessages(ApplyPreset(settings, *preset));
        },
        report);
}

ExitStatus Delete(const QString& name) {
    const std::string wanted = name.toStdString();
    if (const PresetNameFault fault = CheckPresetName(wanted); fault != PresetNameFault::None) {
        PrintMessage(NameRefusal(name, fault));
        return ExitStatus::Usage;
    }
    const PresetFolders folders = PresetFoldersFromEnvironment();
    const PresetChange change = DeletePreset(folders, wanted);
    if (change == PresetChange::NotFound) {
        const PresetList list = ListPresets(folders);
        if (const StoredPreset* stored = FindPreset(list, wanted)) {
            PrintMessage(QCoreApplication::translate(
                             "CommandLine", "The preset '%1' is an administrator's, kept in %2; "
                                            "it cannot be deleted here.")
                             .arg(name, TerminalSafe(Text(stored->path))));
            return ExitStatus::Usage;
        }
    }
    return Report(change, name, folders);
}

ExitStatus WriteExport(const QString& file, const std::string& text) {
    const QByteArray path = file.toLocal8Bit();
    if (ReplaceFile(path.constData(), reinterpret_cast<const unsigned char*>(text.data()),
                    text.size()) == SaveResult::Saved) {
        return ExitStatus::Done;
    }
    PrintMessage(QCoreApplication::translate("CommandLine", "Cannot write %1.").arg(file));
    return ExitStatus::Failed;
}

ExitStatus Import(const QString& file, const std::optional<QString>& as, bool replace) {
    auto read = ReadPresetFile(file.toLocal8Bit().toStdString());
    if (auto* problem = std::get_if<PresetProblem>(&read)) {
        PrintMessage(UnusableText({file.toStdString(), PresetOrigin::User, *problem}));
        return ExitStatus::Usage;
    }
    Preset& preset = std::get<Preset>(read);
    if (as) {
        preset.name = as->toStdString();
    }
    return Save(preset, replace);
}
