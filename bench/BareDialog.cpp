// The start-up bench's baselines: a QDialog with as many plain widgets as the setup dialog, or,
// with "kinds", one with the setup dialog's kinds of widgets and texts but none of its own code
// or banner, in a program that links Qt Widgets and nothing else. Started by startup_bench with
// the time it forked.
#include "bench/ShownReport.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <cstring>

namespace {

// Fills the dialog with the setup dialog's kinds of widgets, each in a row of its own column.
void AddSetupKinds(QDialog& dialog) {
    int row = 0;
    const auto place = [&row](QWidget* widget, int column) {
        widget->setGeometry(10 + column * 130, 10 + (row++ % 16) * 26, 120, 22);
    };
    for (const char* title : {"&Unit", "&Option Set", "&Communication"}) {
        place(new QGroupBox(QString::fromUtf8(title), &dialog), 0);
    }
    for (const char* text : {"Label Lenght", "Label Gap", "Cut Offset", "Tear Off Offset",
                             "&Print Mode", "mm", "mm", "pixel", "mm", "&Label stock"}) {
        place(new QLabel(QString::fromUtf8(text), &dialog), 0);
    }
    for (int i = 0; i < 4; ++i) {
        place(new QLineEdit(&dialog), 1);
    }
    for (const char* text : {"0.1 &inches", "&millimeters", "COM1", "COM2", "LPT1", "LPT2",
                             "Thermal Transfer", "Direct Thermal"}) {
        place(new QRadioButton(QString::fromUtf8(text), &dialog), 1);
    }
    for (const char* text : {"Po&rts\u2026", "&Send", "&OK", "&Cancel", "Mana&ge"}) {
        place(new QPushButton(QString::fromUtf8(text), &dialog), 2);
    }
    place(new QComboBox(&dialog), 2);
    for (int i = 0; i < 2; ++i) {
        auto* line = new QFrame(&dialog);
        line->setFrameShape(QFrame::HLine);
        place(line, 2);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2 && !(argc == 3 && std::strcmp(argv[1], "kinds") == 0)) {
        return 2;
    }
    const long long startNs = std::atoll(argv[argc - 1]);
    QApplication application(argc, argv);
    QDialog dialog;
    if (argc == 3) {
        dialog.resize(400, 440);
        AddSetupKinds(dialog);
    } else {
        for (int i = 0; i < 30; ++i) {
            new QPushButton(QString::number(i), &dialog);
        }
    }
    dialog.show();
    ReportShown(dialog, startNs);
    return 0;
}
