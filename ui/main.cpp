#include "ui/SetupApp.h"
#include "ui/cli/CommandLine.h"
#include "ui/cli/terminal/Console.h"
#include "ui/language/UserLanguage.h"

#include <QApplication>
#include <QCoreApplication>

// Without arguments the setup dialog; with any, a command that needs no display. Both speak
// the user's language.
int main(int argc, char* argv[]) {
    if (argc > 1) {
        ReserveStandardStreams();
        const QCoreApplication application(argc, argv);
        const InstalledTranslators translators = InstallUserTranslators();
        return RunCommandLine(QCoreApplication::arguments());
    }
    QApplication qtApplication(argc, argv);
    const InstalledTranslators translators = InstallUserTranslators();
    CSetupApp application;
    application.InitInstance();
    return application.ExitCode();
}
