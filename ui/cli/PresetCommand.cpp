#include "ui/cli/PresetCommand.h"

#include "settings/Preset.h"
#include "settings/PresetStore.h"
#include "settings/PresetText.h"
#include "settings/SettingWords.h"
#include "ui/cli/PresetChanges.h"
#include "ui/cli/PresetLookup.h"
#include "ui/cli/SetCommand.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
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

// The options of every subcommand; each subcommand takes only its own.
struct Options {
    QCommandLineOption json{QStringLiteral("json"),
                            QCoreApplication::translate("CommandLine",
                                                        "list, show: print JSON instead of text; "
                                                        "apply: as set --json.")};
    QCommandLineOption names{QStringLiteral("names"),
                             QCoreApplication::translate(
                                 "CommandLine", "list: print only the usable names, one a line.")};
    QCommandLineOption description{
        QStringLiteral("description"),
        QCoreApplication::translate("CommandLine", "save: the preset's description."),
        QStringLiteral("TEXT")};
    QCommandLineOption force{
        QStringLiteral("force"),
        QCoreApplication::translate("CommandLine",
                                    "save, import: replace the user's preset of that name.")};
    QCommandLineOption as{
        QStringLiteral("as"),
        QCoreApplication::translate("CommandLine", "import: keep it under this name."),
        QStringLiteral("NAME")};
    // apply reports as set does; its --json is list's and show's.
    QCommandLineOption check{
        QStringLiteral("check"),
        QCoreApplication::translate("CommandLine", "apply: say what would change; save nothing.")};
    QCommandLineOption diff{
        QStringLiteral("diff"),
        QCoreApplication::translate("CommandLine",
                                    "apply: print a line for each setting that changes.")};
    QCommandLineOption verbose{
        QStringLiteral("verbose"),
        QCoreApplication::translate("CommandLine", "apply: say when the settings were saved.")};

    std::array<const QCommandLineOption*, 8> All() const {
        return {&json, &names, &description, &force, &as, &check, &diff, &verbose};
    }
};

// A subcommand's operands and options.
struct Form {
    const char* name;
    qsizetype least;
    qsizetype most;
    std::vector<const QCommandLineOption*> options;
};

// Says what is wrong with the subcommand's words and options, if anything.
std::optional<ExitStatus> CheckForm(const QCommandLineParser& parser, const Options& options,
                                    const QStringList& words) {
    const std::array forms{
        Form{"list", 0, 0, {&options.json, &options.names}},
        Form{"show", 1, 1, {&options.json}},
        Form{"save", 1, 1, {&options.description, &options.force}},
        Form{"apply", 1, 1, {&options.check, &options.diff, &options.json, &options.verbose}},
        Form{"delete", 1, 1, {}},
        Form{"export", 1, 2, {}},
        Form{"import", 1, 1, {&options.as, &options.force}},
    };
    if (words.isEmpty()) {
        return UsageError(kUsage,
                          QCoreApplication::translate("CommandLine", "No preset command given."));
    }
    const auto form = std::find_if(forms.begin(), forms.end(), [&](const Form& candidate) {
        return words.first() == QLatin1String(candidate.name);
    });
    if (form == forms.end()) {
        return UsageError(kUsage,
                          QCoreApplication::translate("CommandLine", "Unknown preset command '%1'.")
                              .arg(words.first()));
    }
    if (words.size() - 1 < form->least || words.size() - 1 > form->most) {
        return UsageError(kUsage, QCoreApplication::translate(
                                      "CommandLine", "Wrong number of arguments for preset %1.")
                                      .arg(words.first()));
    }
    for (const QCommandLineOption* option : options.All()) {
        if (parser.isSet(*option) &&
            std::find(form->options.begin(), form->options.end(), option) == form->options.end()) {
            return UsageError(kUsage,
                              QCoreApplication::translate("CommandLine", "preset %1 takes no --%2.")
                                  .arg(words.first(), option->names().constFirst()));
        }
    }
    if (parser.isSet(options.json) && parser.isSet(options.names)) {
        return UsageError(kUsage, QCoreApplication::translate("CommandLine",
                                                              "Give --json or --names, not both."));
    }
    if (parser.isSet(options.diff) && parser.isSet(options.json)) {
        return UsageError(
            kUsage, QCoreApplication::translate("CommandLine", "Give --diff or --json, not both."));
    }
    return std::nullopt;
}

ExitStatus Run(const QCommandLineParser& parser, const Options& options, const QStringList& words) {
    const QString& command = words.first();
    const QString operand = words.value(1);
    if (command == QLatin1String("list")) {
        const PresetList list = ListPresets(PresetFoldersFromEnvironment());
        return parser.isSet(options.names) ? ListNames(list)
                                           : List(list, parser.isSet(options.json));
    }
    if (command == QLatin1String("show")) {
        return Show(operand, parser.isSet(options.json));
    }
    if (command == QLatin1String("save")) {
        return SaveFromSettings(operand, parser.value(options.description),
                                parser.isSet(options.force));
    }
    if (command == QLatin1String("apply")) {
        return ApplyToSettings(operand,
                               {parser.isSet(options.check), parser.isSet(options.diff),
                                parser.isSet(options.json), parser.isSet(options.verbose)});
    }
    if (command == QLatin1String("delete")) {
        return Delete(operand);
    }
    if (command == QLatin1String("export")) {
        return Export(operand, words.mid(2));
    }
    const std::optional<QString> as =
        parser.isSet(options.as) ? std::optional(parser.value(options.as)) : std::nullopt;
    return Import(operand, as, parser.isSet(options.force));
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
    const Options options;
    for (const QCommandLineOption* option : options.All()) {
        parser.addOption(*option);
    }
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    const QStringList words = parser.positionalArguments();
    if (const auto status = CheckForm(parser, options, words)) {
        return static_cast<int>(*status);
    }
    return static_cast<int>(Run(parser, options, words));
}
