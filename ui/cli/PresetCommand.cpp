#include "ui/cli/PresetCommand.h"

#include "settings/PresetStore.h"
#include "settings/PresetText.h"
#include "ui/cli/CommandParsing.h"
#include "ui/cli/PresetChanges.h"
#include "ui/cli/PresetLookup.h"
#include "ui/cli/SetCommand.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

const QString kUsage = QStringLiteral("trovanel preset");

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString OriginWord(PresetOrigin origin) {
    return origin == PresetOrigin::User ? QStringLiteral("user") : QStringLiteral("system");
}

QString OriginText(PresetOrigin origin) {
    return origin == PresetOrigin::User ? QCoreApplication::translate("CommandLine", "user")
                                        : QCoreApplication::translate("CommandLine", "system");
}

// "unit=mm length=152 gap=3 mode=direct", or a word saying the preset changes nothing.
QString ValuesText(const Preset& preset) {
    QStringList words;
    for (const SettingWord& word : PresetWords(preset)) {
        words.push_back(Text(word.name + "=" + word.value));
    }
    return words.isEmpty() ? QCoreApplication::translate("CommandLine", "(no values)")
                           : words.join(u' ');
}

QString Readable(const StoredPreset& stored, bool withFile) {
    const Preset& preset = stored.preset;
    QString text = Text(preset.name) + QStringLiteral(" (") + OriginText(stored.origin) + u')';
    if (!preset.description.empty()) {
        text += QStringLiteral(": ") + Text(preset.description);
    }
    text += QStringLiteral("\n  ") + ValuesText(preset) + u'\n';
    if (withFile) {
        text += QCoreApplication::translate("CommandLine", "  file: %1\n")
                    .arg(TerminalSafe(Text(stored.path)));
    }
    return text;
}

QJsonObject Json(const StoredPreset& stored) {
    QJsonObject values;
    const Preset& preset = stored.preset;
    if (preset.unit) {
        values.insert(QStringLiteral("unit"), QString::fromUtf8(UnitWord(*preset.unit)));
    }
    for (const auto& [name, value] : {std::pair{"length", preset.length},
                                      {"gap", preset.gap},
                                      {"tear", preset.tear},
                                      {"cut", preset.cut}}) {
        if (value) {
            values.insert(QLatin1String(name), *value);
        }
    }
    if (preset.mode) {
        values.insert(QStringLiteral("mode"), QString::fromUtf8(ModeWord(*preset.mode)));
    }
    return {{QStringLiteral("name"), Text(preset.name)},
            {QStringLiteral("description"), Text(preset.description)},
            {QStringLiteral("origin"), OriginWord(stored.origin)},
            {QStringLiteral("file"), Text(stored.path)},
            {QStringLiteral("values"), values}};
}

// What is wrong, as a word a script can test (JSON stays in English whatever the language).
QString FaultWord(PresetFault fault) {
    constexpr std::array kWords{"unreadable",    "not-regular-file", "too-large", "not-utf8",
                                "not-key-value", "unknown-key",      "key-twice", "no-name",
                                "bad-name",      "bad-description",  "no-unit",   "bad-value"};
    return QLatin1String(kWords.at(static_cast<std::size_t>(fault)));
}

QJsonObject Json(const UnusablePreset& unusable) {
    return {{QStringLiteral("file"), Text(unusable.path)},
            {QStringLiteral("origin"), OriginWord(unusable.origin)},
            {QStringLiteral("line"), static_cast<qint64>(unusable.problem.line)},
            {QStringLiteral("fault"), FaultWord(unusable.problem.fault)}};
}

QString Document(const QJsonObject& object) {
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Indented));
}

ExitStatus List(const PresetList& list, bool json) {
    if (json) {
        QJsonArray usable;
        QJsonArray unusable;
        for (const StoredPreset& stored : list.usable) {
            usable.append(Json(stored));
        }
        for (const UnusablePreset& broken : list.unusable) {
            unusable.append(Json(broken));
        }
        PrintJson(Document(
            {{QStringLiteral("presets"), usable}, {QStringLiteral("unusable"), unusable}}));
        return ExitStatus::Done;
    }
    QString text;
    for (const StoredPreset& stored : list.usable) {
        text += Readable(stored, false);
    }
    for (const UnusablePreset& broken : list.unusable) {
        text += QCoreApplication::translate("CommandLine", "cannot be used: %1\n")
                    .arg(UnusableText(broken));
    }
    PrintResult(text);
    return ExitStatus::Done;
}

ExitStatus ListNames(const PresetList& list) {
    QString text;
    for (const StoredPreset& stored : list.usable) {
        text += Text(stored.preset.name) + u'\n';
    }
    PrintResult(text);
    return ExitStatus::Done;
}

ExitStatus Show(const QString& name, bool json) {
    const PresetList list = ListPresets(PresetFoldersFromEnvironment());
    const StoredPreset* stored = PresetByName(list, name);
    if (stored == nullptr) {
        return ExitStatus::Usage;
    }
    if (json) {
        PrintJson(Document(Json(*stored)));
    } else {
        PrintResult(Readable(*stored, true));
    }
    return ExitStatus::Done;
}

ExitStatus Export(const QString& name, const QStringList& file) {
    const std::optional<Preset> preset = NamedPreset(name);
    if (!preset) {
        return ExitStatus::Usage;
    }
    const std::string text = PresetText(*preset);
    if (file.isEmpty()) {
        PrintResultBytes(QByteArray::fromStdString(text));
        return ExitStatus::Done;
    }
    return WriteExport(file.first(), text);
}

} // namespace

int RunPreset(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Label-stock presets: named sets of unit, length, gap, tear, cut and mode, kept as "
        "files in ~/.config/trovanel/presets (the user's) and /etc/xdg/trovanel/presets (an "
        "administrator's, only read).\n\n"
        "  list [--json | --names]           every preset, and the files that cannot be used\n"
        "  show NAME [--json]                one preset\n"
        "  save NAME [--description TEXT] [--force]\n"
        "                                    keep the saved settings as a preset\n"
        "  apply NAME [--check] [--diff | --json] [--verbose]\n"
        "                                    put a preset's values into the saved settings\n"
        "  delete NAME                       remove one of the user's presets\n"
        "  export NAME [FILE]                write a preset's file (to standard output)\n"
        "  import FILE [--as NAME] [--force] keep a preset file as one of the user's"));
    parser.addPositionalArgument(
        QStringLiteral("subcommand"), QCoreApplication::translate("CommandLine", "What to do."),
        QStringLiteral("list|show|save|apply|delete|export|import [ARGUMENTS…]"));
    const QCommandLineOption json(
        QStringLiteral("json"),
        QCoreApplication::translate("CommandLine", "list, show: print JSON instead of text; "
                                                   "apply: as set --json."));
    const QCommandLineOption names(
        QStringLiteral("names"),
        QCoreApplication::translate("CommandLine", "list: print only the usable names, one a "
                                                   "line."));
    const QCommandLineOption description(
        QStringLiteral("description"),
        QCoreApplication::translate("CommandLine", "save: the preset's description."),
        QStringLiteral("TEXT"));
    const QCommandLineOption force(
        QStringLiteral("force"),
        QCoreApplication::translate("CommandLine",
                                    "save, import: replace the user's preset of that name."));
    const QCommandLineOption as(
        QStringLiteral("as"),
        QCoreApplication::translate("CommandLine", "import: keep it under this name."),
        QStringLiteral("NAME"));
    // apply reports as set does; its --json is list's and show's.
    const QCommandLineOption check(
        QStringLiteral("check"),
        QCoreApplication::translate("CommandLine", "apply: say what would change; save nothing."));
    const QCommandLineOption diff(
        QStringLiteral("diff"),
        QCoreApplication::translate("CommandLine",
                                    "apply: print a line for each setting that changes."));
    const QCommandLineOption verbose(
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine", "apply: say when the settings were saved."));
    parser.addOptions({json, names, description, force, as, check, diff, verbose});
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }

    // Which options and how many operands each subcommand takes.
    struct Form {
        const char* name;
        int least;
        int most;
        std::vector<const QCommandLineOption*> options;
    };
    const std::array forms{
        Form{"list", 0, 0, {&json, &names}},
        Form{"show", 1, 1, {&json}},
        Form{"save", 1, 1, {&description, &force}},
        Form{"apply", 1, 1, {&check, &diff, &json, &verbose}},
        Form{"delete", 1, 1, {}},
        Form{"export", 1, 2, {}},
        Form{"import", 1, 1, {&as, &force}},
    };
    const QStringList words = parser.positionalArguments();
    const auto form = std::find_if(forms.begin(), forms.end(), [&](const Form& candidate) {
        return !words.isEmpty() && words.first() == QLatin1String(candidate.name);
    });
    if (form == forms.end()) {
        return static_cast<int>(UsageError(
            kUsage, words.isEmpty()
                        ? QCoreApplication::translate("CommandLine", "No preset command given.")
                        : QCoreApplication::translate("CommandLine", "Unknown preset command '%1'.")
                              .arg(words.first())));
    }
    const QStringList operands = words.mid(1);
    if (operands.size() < form->least || operands.size() > form->most) {
        return static_cast<int>(UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "Wrong number of arguments for "
                                                               "preset %1.")
                        .arg(words.first())));
    }
    for (const QCommandLineOption* option :
         {&json, &names, &description, &force, &as, &check, &diff, &verbose}) {
        if (parser.isSet(*option) &&
            std::find(form->options.begin(), form->options.end(), option) == form->options.end()) {
            return static_cast<int>(UsageError(
                kUsage, QCoreApplication::translate("CommandLine", "preset %1 takes no --%2.")
                            .arg(words.first(), option->names().constFirst())));
        }
    }
    if (parser.isSet(json) && parser.isSet(names)) {
        return static_cast<int>(
            UsageError(kUsage, QCoreApplication::translate("CommandLine",
                                                           "Give --json or --names, not both.")));
    }
    if (parser.isSet(diff) && parser.isSet(json)) {
        return static_cast<int>(
            UsageError(kUsage, QCoreApplication::translate("CommandLine",
                                                           "Give --diff or --json, not both.")));
    }

    const QString command = words.first();
    const QString operand = operands.value(0);
    ExitStatus status = ExitStatus::Done;
    if (command == QLatin1String("list")) {
        const PresetList list = ListPresets(PresetFoldersFromEnvironment());
        status = parser.isSet(names) ? ListNames(list) : List(list, parser.isSet(json));
    } else if (command == QLatin1String("show")) {
        status = Show(operand, parser.isSet(json));
    } else if (command == QLatin1String("save")) {
        status = SaveFromSettings(operand, parser.value(description), parser.isSet(force));
    } else if (command == QLatin1String("apply")) {
        status = ApplyToSettings(operand, {parser.isSet(check), parser.isSet(diff),
                                           parser.isSet(json), parser.isSet(verbose)});
    } else if (command == QLatin1String("delete")) {
        status = Delete(operand);
    } else if (command == QLatin1String("export")) {
        status = Export(operand, operands.mid(1));
    } else {
        status = Import(operand, parser.isSet(as) ? std::optional(parser.value(as)) : std::nullopt,
                        parser.isSet(force));
    }
    return static_cast<int>(status);
}
