#include "ui/language/SettingsMessages.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <array>

namespace {

// The settings record's rejection texts, marked so that lupdate puts them in the catalogues.
constexpr std::array kMessages{
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Label Length value is out of range. The limit is 0 ~ 450 (0.1 inch)."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Label Length value is out of range. The limit is 0 ~ 1103 mm."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Label Gap value is out of range. The limit is 0 ~ 14 (0.1 inch)."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Label Gap value is out of range. The limit is 0 ~ 36 mm."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Tear Offset value is out of range. The limit is 0 ~ 20 (0.1 inch)."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Tear Offset value is out of range. The limit is 0 ~ 50 mm."),
    QT_TRANSLATE_NOOP("PrinterSettings",
                      "The Cut Offset value is out of range. The limit is -127 ~ 127 pixel."),
};

} // namespace

QString SettingsMessageText(std::string_view message) {
    for (const char* known : kMessages) {
        if (message == known) {
            return QCoreApplication::translate("PrinterSettings", known);
        }
    }
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}
