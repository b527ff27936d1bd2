#include "SetupApp.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication qtApplication(argc, argv);
    CSetupApp application;
    application.InitInstance();
    return 0;
}
