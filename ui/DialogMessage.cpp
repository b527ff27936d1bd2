#include "DialogMessage.h"

#include <QCoreApplication>
#include <QFileInfo>

std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const DialogMessage& message) {
    const QString caption = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    auto box =
        std::make_unique<QMessageBox>(message.icon, caption, message.text, QMessageBox::Ok, parent);
    QString spoken = message.text;
    if (!message.detail.isEmpty()) {
        box->setInformativeText(message.detail);
        spoken += QLatin1Char('\n') + message.detail;
    }
    box->setAccessibleDescription(spoken);
    return box;
}

void ShowMessageBox(QWidget* parent, const DialogMessage& message) {
    CreateMessageBox(parent, message)->exec();
}
