#include "ui/SetupApp.h"
#include "ui/cli/CommandLine.h"
#include "ui/cli/Console.h"

#include <QApplication>
#include <QCoreApplication>

// Without arguments the setup dialog; with any, a command that needs no display.
int main(int argc, char* argv[]) {
    if (argc > 1) {
        ReserveStandardStreams();
        const QCoreApplication application(argc, argv);
        return RunCommandLine(QCoreApplication::arguments());
    }
    QApplication qtApplication(argc, argv);
    CSetupApp application;
    application.InitInstance();
    return application.ExitCode();
}
