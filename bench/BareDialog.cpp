// The start-up bench's baseline: a QDialog with as many plain widgets as the setup dialog, in a
// program that links Qt Widgets and nothing else. Started by startup_bench with the time it
// forked.
#include "bench/ShownReport.h"

#include <QDialog>
#include <QPushButton>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        return 2;
    }
    const long long startNs = std::atoll(argv[1]);
    QApplication application(argc, argv);
    QDialog dialog;
    for (int i = 0; i < 30; ++i) {
        new QPushButton(QString::number(i), &dialog);
    }
    dialog.show();
    ReportShown(dialog, startNs);
    return 0;
}
