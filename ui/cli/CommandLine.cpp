#include "ui/cli/CommandLine.h"

#include "ui/cli/PortsCommand.h"
#include "ui/cli/PresetCommand.h"
#include "ui/cli/SendCommand.h"
#include "ui/cli/SetCommand.h"
#include "ui/cli/ShowCommand.h"
#include "ui/cli/terminal/CommandParsing.h"
#include "ui/cli/terminal/Console.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QString>
#include <array>
#include <cstring>

namespace {

const QString kUsage = QStringLiteral("trovanel");

struct Command {
    const char* name;
    int (*run)(const QStringList& arguments);
};

constexpr std::array kCommands{
    Command{"show", RunShow},   Command{"set", RunSet},       Command{"send", RunSend},
    Command{"ports", RunPorts}, Command{"preset", RunPreset},
};

int RunCommand(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine",
        "Set up a thermal label printer. Without arguments the setup dialog opens; with a "
        "command it works on Trovanel.ini in the current folder, without a window.\n\n"
        "Commands:\n"
        "  show [--json]              the settings, the port's device and the command block\n"
        "  set NAME=VALUE…            change the settings and save them\n"
        "  send [--port PORT | --to URI] [--dry-run]\n"
        "                             send the settings to the printer\n"
        "  ports [--json]             the four ports' devices and the devices found\n"
        "  ports set PORT URI         keep a port's device in outport.conf\n"
        "  preset list|show|save|apply|delete|export|import …\n"
        "                             label-stock presets\n\n"
        "COMMAND --help shows a command's options. Exit status: 0 done, 1 the send or the "
        "save failed, 2 a usage mistake or a rejected value."));
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    parser.addPositionalArgument(
        QCoreApplication::translate("CommandLine", "command"),
        QCoreApplication::translate("CommandLine", "What to do."),
        QCoreApplication::translate("CommandLine", "COMMAND [ARGUMENTS…]"));
    const QCommandLineOption version(
        QStringLiteral("version"),
        QCoreApplication::translate("CommandLine", "Print the program's version."));
    parser.addOption(version);
    if (const auto status = ParseCommand(parser, arguments, kUsage)) {
        return static_cast<int>(*status);
    }
    if (parser.isSet(version)) {
        PrintResult(QStringLiteral("trovanel " TROVANEL_VERSION "\n"));
        return static_cast<int>(ExitStatus::Done);
    }
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        return static_cast<int>(
            UsageError(kUsage, QCoreApplication::translate("CommandLine", "No command given.")));
    }
    for (const Command& command : kCommands) {
        if (words.first() == QLatin1String(command.name)) {
            return command.run(QStringList{arguments.first()} + words.mid(1));
        }
    }
    return static_cast<int>(UsageError(
        kUsage,
        QCoreApplication::translate("CommandLine", "Unknown command '%1'.").arg(words.first())));
}

} // namespace

int RunCommandLine(const QStringList& arguments) {
    const int status = RunCommand(arguments);
    // A result that never arrived is a failure, even when the command itself went well: a
    // script would go on with a missing or partial output.
    if (const int error = ResultWriteError(); error != 0) {
        PrintMessage(QCoreApplication::translate("CommandLine",
                                                 "Cannot write the result to standard output: %1.")
                         .arg(QString::fromLocal8Bit(std::strerror(error))));
        return static_cast<int>(ExitStatus::Failed);
    }
    return status;
}
