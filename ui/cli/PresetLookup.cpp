#include "ui/cli/PresetLookup.h"

#include "ui/cli/terminal/Console.h"
#include "ui/language/SettingsMessages.h"

#include <QCoreApplication>
#include <string>

QString NameRefusal(const QString& name, PresetNameFault fault) {
    return QCoreApplication::translate("CommandLine", "The name '%1' is refused: %2")
        .arg(name, PresetNameRuleMessage(fault));
}

QString UnusableText(const UnusablePreset& unusable) {
    const QString path = TerminalSafe(QString::fromStdString(unusable.path));
    const QString reason = PresetProblemMessage(unusable.problem);
    if (unusable.problem.line == 0) {
        return QCoreApplication::translate("CommandLine", "%1: %2").arg(path, reason);
    }
    return QCoreApplication::translate("CommandLine", "%1 line %2: %3")
        .arg(path)
        .arg(unusable.problem.line)
        .arg(reason);
}

const StoredPreset* PresetByName(const PresetList& list, const QString& name) {
    const std::string wanted = name.toStdString();
    if (const PresetNameFault fault = CheckPresetName(wanted); fault != PresetNameFault::None) {
        PrintMessage(NameRefusal(name, fault));
        return nullptr;
    }
    if (const StoredPreset* stored = FindPreset(list, wanted)) {
        return stored;
    }
    if (const UnusablePreset* unusable = FindUnusablePreset(list, wanted)) {
        PrintMessage(
            QCoreApplication::translate("CommandLine", "The preset '%1' cannot be used: %2")
                .arg(name, UnusableText(*unusable)));
    } else {
        PrintMessage(QCoreApplication::translate("CommandLine", "No preset '%1'.").arg(name));
    }
    return nullptr;
}

std::optional<Preset> NamedPreset(const QString& name) {
    const PresetList list = ListPresets(PresetFoldersFromEnvironment());
    if (const StoredPreset* stored = PresetByName(list, name)) {
        return stored->preset;
    }
    return std::nullopt;
}
