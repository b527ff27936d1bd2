#include "ui/framework/DialogMessage.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ApplicationCaption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const DialogMessage& message) {
    auto box = std::make_unique<QMessageBox>(message.icon, ApplicationCaption(), message.text,
                                             QMessageBox::Ok, parent);
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
