#include "ui/language/SettingsMessages.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <array>
#include <cstring>

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

QString SettingRejectionMessage(const SettingRejection& rejection) {
    const QString value = QString::fromStdString(rejection.value);
    switch (rejection.fault) {
    case SettingFault::UnknownName:
        return QCoreApplication::translate("CommandLine",
                                           "Unknown setting '%1'; the names are unit, length, "
                                           "gap, tear, cut, port and mode.")
            .arg(value);
    case SettingFault::NotUnit:
        return QCoreApplication::translate("CommandLine", "The unit is mm or inch, not '%1'.")
            .arg(value);
    case SettingFault::NotPort:
        return QCoreApplication::translate("CommandLine",
                                           "The port is COM1, COM2, LPT1 or LPT2, not '%1'.")
            .arg(value);
    case SettingFault::NotMode:
        return QCoreApplication::translate("CommandLine",
                                           "The mode is transfer or direct, not '%1'.")
            .arg(value);
    case SettingFault::NotInteger:
        // The dialog's words when an edit box does not read as a number.
        return QCoreApplication::translate("CommandLine", "Please enter an integer.");
    case SettingFault::OutOfRange:
        break;
    }
    return SettingsMessageText(rejection.rangeMessage);
}

QStringList SettingRejectionMessages(const std::vector<SettingRejection>& rejections) {
    QStringList messages;
    for (const SettingRejection& rejection : rejections) {
        messages.push_back(SettingRejectionMessage(rejection));
    }
    return messages;
}

QString PresetNameRuleMessage(PresetNameFault fault) {
    switch (fault) {
    case PresetNameFault::None:
        break;
    case PresetNameFault::Empty:
        return QCoreApplication::translate("Presets", "A preset name is not empty.");
    case PresetNameFault::TooLong:
        return QCoreApplication::translate("Presets",
                                           "A preset name is at most 64 characters long.");
    case PresetNameFault::NotUtf8:
        return QCoreApplication::translate("Presets", "A preset name is UTF-8 text.");
    case PresetNameFault::ControlCharacter:
        return QCoreApplication::translate(
            "Presets", "A preset name holds no control characters or line breaks.");
    case PresetNameFault::Slash:
        return QCoreApplication::translate("Presets", "A preset name holds no '/'.");
    case PresetNameFault::BlankAtEnd:
        return QCoreApplication::translate("Presets",
                                           "A preset name neither starts nor ends with a blank.");
    case PresetNameFault::DotName:
        return QCoreApplication::translate("Presets", "A preset name is not '.' or '..'.");
    }
    return {};
}

QString PresetProblemMessage(const PresetProblem& problem) {
    const QString detail = QString::fromStdString(problem.detail);
    switch (problem.fault) {
    case PresetFault::Unreadable:
        return QString::fromLocal8Bit(std::strerror(problem.error));
    case PresetFault::NotRegularFile:
        return QCoreApplication::translate("Presets", "not a regular file");
    case PresetFault::TooLarge:
        return QCoreApplication::translate("Presets", "larger than 64 KiB");
    case PresetFault::NotUtf8:
        return QCoreApplication::translate("Presets", "not UTF-8 text");
    case PresetFault::NotKeyValue:
        return QCoreApplication::translate("Presets", "not a key=value line");
    case PresetFault::UnknownKey:
        return QCoreApplication::translate("Presets",
                                           "unknown key '%1'; the keys are name, description, "
                                           "unit, length, gap, tear, cut and mode")
            .arg(detail);
    case PresetFault::KeyTwice:
        return QCoreApplication::translate("Presets", "'%1' given twice (first on line %2)")
            .arg(detail)
            .arg(problem.firstLine);
    case PresetFault::NoName:
        return QCoreApplication::translate("Presets", "no name= line");
    case PresetFault::BadName:
        return PresetNameRuleMessage(problem.nameFault);
    case PresetFault::BadDescription:
        return QCoreApplication::translate("Presets", "the description holds a control character");
    case PresetFault::NoUnit:
        return QCoreApplication::translate("Presets", "'%1' is given without a unit= line")
            .arg(detail);
    case PresetFault::BadValue:
        break;
    }
    return SettingRejectionMessage(problem.rejection);
}
