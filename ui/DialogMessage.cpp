#include "DialogMessage.h"

#include <QCoreApplication>
#include <QFileInfo>

void ShowMessageBox(QWidget* parent, const DialogMessage& message) {
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QMessageBox box(message.icon, caption, message.text, QMessageBox::Ok, parent);
    if (!message.detail.isEmpty()) {
        box.setInformativeText(message.detail);
    }
    box.exec();
}
