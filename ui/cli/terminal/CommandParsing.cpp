#include "ui/cli/terminal/CommandParsing.h"

#include <QCommandLineOption>
#include <QCoreApplication>

std::optional<ExitStatus> ParseCommand(QCommandLineParser& parser, const QStringList& arguments,
                                       const QString& usage) {
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "Show this help."));
    parser.addOption(help);
    if (!parser.parse(arguments)) {
        return UsageError(usage, parser.errorText());
    }
    if (parser.isSet(help)) {
        // Qt names the program by the path it was started with, which may even be empty; the
        // help names the command.
        QString text = parser.helpText();
        const auto usageLine = [](const QString& program) {
            return QCoreApplication::translate("QCommandLineParser", "Usage: %1").arg(program);
        };
        const QString started = usageLine(QCoreApplication::arguments().constFirst());
        if (text.startsWith(started)) {
            text.replace(0, started.size(), usageLine(usage));
        }
        PrintResult(text);
        return ExitStatus::Done;
    }
    return std::nullopt;
}

ExitStatus UsageError(const QString& usage, const QString& message) {
    PrintMessage(message);
    PrintMessage(QCoreApplication::translate("CommandLine", "Try '%1 --help'.").arg(usage));
    return ExitStatus::Usage;
}
