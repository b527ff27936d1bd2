#pragma once

#include <QMessageBox>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

// One message box: its text, an optional detail shown under it, and its icon.
struct DialogMessage {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString detail;
};

// Shows a message and returns when the user has closed it. Dialogs hold one, so tests can
// watch the messages without hunting for modal windows.
using MessagePresenter = std::function<void(QWidget* parent, const DialogMessage& message)>;

// What message boxes and the program's other small windows are captioned with: the
// executable's file name without its extension.
QString ApplicationCaption();

// A box with the single button OK, captioned with ApplicationCaption(). Assistive technology
// hears it as an alert whose description is the text and, under it, the detail.
std::unique_ptr<QMessageBox> CreateMessageBox(QWidget* parent, const DialogMessage& message);

// Shows the box modally.
void ShowMessageBox(QWidget* parent, const DialogMessage& message);
