#include "ui/framework/DialogMessage.h"

#include "ui/framework/PlainText.h"

#include <QCoreApplication>
#include <QFileInfo>

QString ApplicationCaption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const DialogMessage& message) {
    auto box = std::make_unique<QMessageBox>(message.icon, ApplicationCaption(), message.text,
                                             QMessageBox::Ok, parent);
    // Messages carry device names, paths and URIs, which must not be read as markup.
    box->setTextFormat(Qt::PlainText);
    QString spoken = message.text;
    if (!message.detail.isEmpty()) {
        box->setInformativeText(AsPlainText(message.detail));
        spoken += QLatin1Char('\n') + message.detail;
    }
    box->setAccessibleDescription(spoken);
    return box;
}

void ShowMessageBox(QWidget* parent, const DialogMessage& message) {
    CreateMessageBox(parent, message)->exec();
}
