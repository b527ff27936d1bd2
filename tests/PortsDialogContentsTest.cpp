// What the Ports dialog offers: each line setting and the URI it gives, the network printer's
// port range, the device entries' tooltips, and the roles a screen reader is told.
#include "tests/PortsDialogFixture.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"
#include "ui/ports/PortRow.h"
#include "ui/ports/PortsDialog.h"
#include "ui/ports/SerialLineEditor.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStringList>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

class PortsDialogContentsTest : public PortsDialogFixture {};

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    return items;
}

// Each choice of each setting, made with the keyboard, is spelt out in the URI.
TEST_F(PortsDialogContentsTest, EveryLineSettingChoiceGoesIntoTheUri) {
    PseudoTerminal line;
    const QString node = QString::fromStdString(line.Name());
    Open();
    TypeUri("COM1", "serial:" + node);
    const struct {
        const char* setting;
        QStringList choices;
        QStringList uriParts;
    } rows[] = {
        {"Speed",
         {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200", "230400"},
         {"baud=1200", "baud=2400", "baud=4800", "baud=9600", "baud=19200", "baud=38400",
          "baud=57600", "baud=115200", "baud=230400"}},
        {"Data bits", {"5", "6", "7", "8"}, {"bits=5", "bits=6", "bits=7", "bits=8"}},
        {"Parity", {"none", "even", "odd"}, {"parity=none", "parity=even", "parity=odd"}},
        {"Stop bits", {"1", "2"}, {"stop=1", "stop=2"}},
        {"Flow control", {"none", "XON/XOFF", "RTS/CTS"}, {"flow=none", "flow=soft", "flow=hard"}},
    };
    const QString defaults = "baud=9600+bits=8+parity=none+stop=1+flow=none";
    QString others = defaults;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.setting);
        QComboBox* box = LineSetting("COM1", row.setting);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(Items(box), row.choices);
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_End);
        for (int choice = static_cast<int>(row.choices.size()) - 1; choice >= 0; --choice) {
            const QString part = row.uriParts[choice];
            others.replace(QRegularExpression(part.section('=', 0, 0) + "=[a-z0-9]+"), part);
            // Nothing but the defaults is written as the bare line.
            EXPECT_EQ(Box("COM1")->currentText(),
                      "serial:" + node + (others == defaults ? "" : '?' + others));
            QTest::keyClick(box, Qt::Key_Up);
        }
    }
}

// The prompt takes ports 1 to 65535 only: typing past either end gives no port outside them.
TEST_F(PortsDialogContentsTest, NetworkPrinterPortRunsFromOneTo65535) {
    Open();
    const struct {
        const char* typed;
        Qt::Key then;
        const char* port;
    } rows[] = {
        {"1", Qt::Key_Down, "1"},           {"65535", Qt::Key_Up, "65535"},
        {"65536", Qt::Key_unknown, "6553"}, {"99999", Qt::Key_unknown, "9999"},
        {"0", Qt::Key_unknown, "9100"},     {"9101", Qt::Key_unknown, "9101"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        m_answerPrompt = [&row](QDialog& prompt) {
            auto* port = prompt.findChild<QSpinBox*>();
            EXPECT_EQ(port->minimum(), 1);
            EXPECT_EQ(port->maximum(), 65535);
            QTest::keyClicks(prompt.findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly),
                             "127.0.0.1");
            QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(port, row.typed);
            if (row.then != Qt::Key_unknown) {
                QTest::keyClick(port, row.then);
            }
            QTest::keyClick(port, Qt::Key_Return);
        };
        // The list's first entry, as no devices come before it.
        QTest::mouseClick(Box("LPT2")->lineEdit(), Qt::LeftButton);
        QTest::keyClick(Box("LPT2"), Qt::Key_F4);
        QTest::keyClick(Box("LPT2")->view(), Qt::Key_Home);
        QTest::keyClick(Box("LPT2")->view(), Qt::Key_Return);
        EXPECT_EQ(Box("LPT2")->currentText(), QStringLiteral("socket://127.0.0.1:") + row.port);
    }
}

// A device entry shows its description and node, and its tooltip is the URI it keeps.
TEST_F(PortsDialogContentsTest, EachDeviceEntryShowsItsUriAsTooltip) {
    m_devices = {{"/dev/ttyUSB0", "serial:/dev/serial/by-id/usb-FTDI-if00", "FTDI FT232R", {}},
                 {"/dev/usb/lp0", "usb://Acme/LP-2824?serial=12345", "Acme LP-2824", {}},
                 {"/dev/lp0", "parallel:/dev/lp0", "", {}}};
    Open();
    const QStringList shown{"FTDI FT232R (/dev/ttyUSB0)", "Acme LP-2824 (/dev/usb/lp0)",
                            "/dev/lp0"};
    for (const char* port : {"COM1", "LPT2"}) {
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(std::string(port) + " " + std::to_string(i));
            EXPECT_EQ(Box(port)->itemText(i), shown[i]);
            EXPECT_EQ(Box(port)->itemData(i, Qt::ToolTipRole).toString(), m_devices[i].uri);
        }
        // After the separator, the two prompts have no tooltip.
        EXPECT_TRUE(Box(port)->itemData(4, Qt::ToolTipRole).isNull());
        EXPECT_EQ(Box(port)->count(), 6);
    }
}

// A screen reader hears each part of a row by its role and a name that says which port; on
// Linux a combo box is named by its text.
TEST_F(PortsDialogContentsTest, ScreenReaderHearsEachPartOfARow) {
    PseudoTerminal line;
    Open();
    const QString uri = "serial:" + QString::fromStdString(line.Name());
    TypeUri("COM1", uri);
    const struct {
        QWidget* widget;
        QAccessible::Role role;
        QString name;
    } rows[] = {
        {Row("COM1"), QAccessible::Grouping, "COM1"},
        {Box("COM1"), QAccessible::ComboBox, uri},
        {Row("COM1")->findChild<QPushButton*>("test"), QAccessible::Button, "Test COM1"},
        {Row("COM1")->findChild<CSerialLineEditor*>(), QAccessible::Client, "COM1"},
        {LineSetting("COM1", "Speed"), QAccessible::ComboBox, "9600"},
        {Box("LPT1"), QAccessible::ComboBox, "/dev/lp0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.toStdString());
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(row.widget);
        ASSERT_NE(heard, nullptr);
        EXPECT_EQ(heard->role(), row.role);
        EXPECT_EQ(heard->text(QAccessible::Name), row.name);
    }
}

} // namespace
