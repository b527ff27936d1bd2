#include "DialogMessage.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ApplicationCaption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void ShowMessageBox(QWidget* parent, const DialogMessage& message) {
    QMessageBox box(message.icon, ApplicationCaption(), message.text, QMessageBox::Ok, parent);
    if (!message.detail.isEmpty()) {
        box.setInformativeText(message.detail);
    }
    box.exec();
}
