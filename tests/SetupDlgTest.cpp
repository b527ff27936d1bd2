#include "ui/setup/SetupDlg.h"

#include "base/UniqueFd.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/template/DialogUnits.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/SetupDialogTemplate.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Opens the real dialog in a scratch working directory and drives it with key and mouse
// events. Message boxes are recorded instead of shown.
class SetupDlgTest : public testing::Test {
protected:
    SetupDlgTest() {
        m_environment.UnsetPorts();
        m_environment.Set("XDG_CONFIG_HOME", (m_dir.path() / "config").string());
        m_environment.Set("XDG_CONFIG_DIRS", (m_dir.path() / "xdg").string());
    }
    void TearDown() override { m_dialog.reset(); }

    void Open() {
        m_dialog = std::make_unique<CSetupDlg>();
        m_dialog->SetMessagePresenter([this](QWidget* parent, const DialogMessage& message) {
            m_messages.push_back(message);
            if (m_whileMessageShown) {
                m_whileMessageShown(parent);
            }
        });
        m_dialog->Create();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(m_dialog->GetDlgItem(id)); }
    QAbstractButton* Button(int id) const {
        return qobject_cast<QAbstractButton*>(m_dialog->GetDlgItem(id));
    }
    QString Label(int id) const { return qobject_cast<QLabel*>(m_dialog->GetDlgItem(id))->text(); }
    QWidget* Focus() const { return QApplication::focusWidget(); }

    void Click(int id) { QTest::mouseClick(m_dialog->GetDlgItem(id), Qt::LeftButton); }
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Focus(), static_cast<Qt::Key>(key), modifiers);
    }
    // Clicks into the box, as a user would, and replaces its text.
    void Type(int id, const QString& text) {
        Click(id);
        QTest::keyClick(Edit(id), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Edit(id), text);
    }
    // Send answers through the event loop once its worker thread is done.
    bool WaitForMessages(std::size_t count) {
        return QTest::qWaitFor([&] { return m_messages.size() >= count; });
    }
    std::vector<QString> Texts() const {
        std::vector<QString> texts;
        for (const auto& message : m_messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    // A preset file in the user's folder ("config") or an administrator's ("xdg").
    std::filesystem::path WritePreset(const char* folder, const char* file, const char* text) {
        const auto presets = m_dir.path() / folder / "trovanel/presets";
        std::filesystem::create_directories(presets);
        WriteFile(presets / file, text);
        return presets / file;
    }
    QComboBox* Stock() const { return qobject_cast<QComboBox*>(m_dialog->GetDlgItem(IDC_PRESET)); }
    // Opens the label stock menu with its access key and chooses an entry by its own.
    void Menu(Qt::Key entry) {
        Press(Qt::Key_G, Qt::AltModifier);
        ASSERT_NE(QApplication::activePopupWidget(), nullptr);
        QTest::keyClick(QApplication::activePopupWidget(), entry);
    }

    // Takes the activation away from the dialog while the message is up, as a real message
    // box does, and gives it back when the box closes.
    static void ActLikeAModalBox(QWidget* parent) {
        QMessageBox box(QMessageBox::Warning, {}, {}, QMessageBox::Ok, parent);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        box.hide();
        parent->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([parent] { return QApplication::activeWindow() == parent; }));
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    std::unique_ptr<CSetupDlg> m_dialog;
    std::vector<DialogMessage> m_messages;
    std::function<void(QWidget* parent)> m_whileMessageShown; // runs while a message is up
};

using TextList = std::vector<QString>;

// What assistive technology is told about everything under `object`: one line per object,
// indented by its depth, with its role, name, description and the states that matter here.
QStringList AccessibleTree(QObject* object) {
    QStringList lines;
    const std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node,
                                                                     int depth) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            const QAccessible::State state = child->state();
            QString line = QString(qsizetype{depth} * 2, QLatin1Char(' ')) +
                           QMetaEnum::fromType<QAccessible::Role>().valueToKey(child->role()) +
                           " \"" + child->text(QAccessible::Name) + '"';
            if (!child->text(QAccessible::Description).isEmpty()) {
                line += " (" + child->text(QAccessible::Description) + ')';
            }
            if (state.checkable) {
                line += state.checked ? " checked" : " unchecked";
            }
            if (state.focusable) {
                line += " focusable";
            }
            lines << line;
            walk(child, depth + 1);
        }
    };
    walk(QAccessible::queryAccessibleInterface(object), 0);
    return lines;
}

TEST_F(SetupDlgTest, StartsFromTheDefaultsWithTheFocusOnTheCheckedUnit) {
    Open();
    EXPECT_TRUE(Button(IDC_UNIT_MM)->isChecked());
    EXPECT_TRUE(Button(IDC_COM1)->isChecked());
    EXPECT_TRUE(Button(IDC_THERMAL_TRANSFER)->isChecked());
    for (const auto& [id, text] :
         {std::pair{IDC_LENGTH, "0"}, {IDC_GAP, "3"}, {IDC_CUT_OFFSET, "0"}, {IDC_TEAR, "0"}}) {
        EXPECT_EQ(Edit(id)->text(), text) << id;
    }
    EXPECT_EQ(Label(IDC_LENGTH_UNIT), "mm");
    EXPECT_EQ(Focus(), Button(IDC_UNIT_MM));
    EXPECT_EQ(m_dialog->windowTitle(), "Trovanel");
}

// Unit code 2 and port code 7 can only come from a damaged file.
TEST_F(SetupDlgTest, UnknownCodesFromTheFileCheckNoButton) {
    std::ofstream("Trovanel.ini", std::ios::binary) << "0002004000020000000000070000010000050000";
    Open();
    EXPECT_FALSE(Button(IDC_UNIT_INCH)->isChecked());
    EXPECT_FALSE(Button(IDC_UNIT_MM)->isChecked());
    EXPECT_FALSE(Button(IDC_COM1)->isChecked());
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "100");   // millimetre values ...
    EXPECT_EQ(Label(IDC_LENGTH_UNIT), "0.1inch"); // ... under the inch label

    Click(IDC_UNIT_INCH); // taken to show inches already: nothing changes
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "100");
    Click(IDC_UNIT_MM);
    EXPECT_EQ(Label(IDC_LENGTH_UNIT), "mm");
    Click(IDC_UNIT_INCH);
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "40");

    // No port button: Send passes -1 and fails, OK saves -1.
    m_dialog->SetRadioIndex(IDC_COM1, 7);
    Click(IDC_SEND);
    ASSERT_TRUE(WaitForMessages(1));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Send To Printer Error!");
    EXPECT_EQ(m_messages[0].detail, "No port is selected.");
    Click(IDOK);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(ReadFile("Trovanel.ini").substr(20, 4), "-001");
}

// A context menu takes the focus without leaving the box; a message box takes it too, and the
// box the user went to is not checked while the first check's message is up.
TEST_F(SetupDlgTest, OutOfRangeEntryIsResetWhenTheBoxIsLeft) {
    Open();
    Type(IDC_LENGTH, "2000");
    // Through the window, as the platform delivers it, so that the press opens the menu.
    const QPoint inBox = Edit(IDC_LENGTH)->geometry().center();
    QTest::mouseClick(m_dialog->windowHandle(), Qt::RightButton, {}, inBox);
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(Focus(), Edit(IDC_LENGTH));

    QTest::keyClicks(Edit(IDC_GAP), "999"); // 3999, out of range too, typed without the focus
    m_whileMessageShown = ActLikeAModalBox;
    Press(Qt::Key_Tab);
    EXPECT_EQ(Texts(),
              TextList{"The Label Length value is out of range. The limit is 0 ~ 1103 mm."});
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "0");
    EXPECT_EQ(m_dialog->Settings().m_nLengthMm, 0);
    EXPECT_EQ(m_dialog->Settings().m_nLengthInch, 0);
    EXPECT_EQ(Focus(), Edit(IDC_GAP));
    EXPECT_EQ(Edit(IDC_GAP)->text(), "3999");
    m_whileMessageShown = nullptr;

    Type(IDC_CUT_OFFSET, "-128");
    Press(Qt::Key_Tab);
    EXPECT_EQ(Texts().back(),
              "The Cut Offset value is out of range. The limit is -127 ~ 127 pixel.");
    EXPECT_EQ(Edit(IDC_CUT_OFFSET)->text(), "0");
}

// The check runs in the unit selected before the click, and switching converts nothing.
TEST_F(SetupDlgTest, UnitSwitchShowsStoredValuesAndEveryFocusLossReapplies) {
    Open();
    Type(IDC_TEAR, "10");
    Type(IDC_LENGTH, "100");
    Click(IDC_UNIT_MM); // the unit already shown: only the check of the box runs
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_dialog->Settings().m_nLengthMm, 100);
    EXPECT_EQ(m_dialog->Settings().m_nLengthInch, 39);

    Click(IDC_UNIT_INCH);
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "39");
    EXPECT_EQ(Edit(IDC_GAP)->text(), "1");
    EXPECT_EQ(Edit(IDC_TEAR)->text(), "3");
    EXPECT_EQ(Label(IDC_GAP_UNIT), "0.1inch");
    EXPECT_EQ(Label(IDC_TEAR_UNIT), "0.1inch");
    Click(IDC_LENGTH);
    Press(Qt::Key_Tab);
    EXPECT_EQ(m_dialog->Settings().m_nLengthMm, 99);
    EXPECT_TRUE(m_messages.empty());
}

// The box keeps the focus as the dialog closes; a closing dialog checks nothing.
TEST_F(SetupDlgTest, EnterInABoxAndEscapeCancelWithoutSaving) {
    for (const auto& [id, text, key] :
         {std::tuple{IDC_LENGTH, "2000", Qt::Key_Return}, {IDC_GAP, "abc", Qt::Key_Escape}}) {
        Open();
        Type(id, text);
        Press(key);
        EXPECT_FALSE(m_dialog->isVisible()) << text;
        EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
        EXPECT_TRUE(m_messages.empty());
    }
    EXPECT_FALSE(QFileInfo::exists("Trovanel.ini"));
}

// Nothing the controls report counts while they are read: not even a button that assistive
// technology presses while the message is up.
TEST_F(SetupDlgTest, TextThatIsNoIntegerStopsOkWithOneMessage) {
    m_environment.Set("OUTPORT_COM1", "file:" + (m_dir.path() / "capture.bin").string());
    Open();
    Type(IDC_GAP, "abc");
    m_whileMessageShown = [this](QWidget*) {
        m_whileMessageShown = nullptr;
        QAccessible::queryAccessibleInterface(Button(IDC_SEND))
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
        ASSERT_TRUE(QTest::qWaitFor([this] { return !Button(IDC_SEND)->isDown(); }));
    };
    Click(IDOK);
    EXPECT_EQ(Texts(), TextList{"Please enter an integer."});
    EXPECT_EQ(Focus(), Edit(IDC_GAP));
    EXPECT_EQ(Edit(IDC_GAP)->selectedText(), "abc");
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists("Trovanel.ini"));

    QTest::keyClicks(Edit(IDC_GAP), "7"); // replaces the selection
    Click(IDOK);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(ReadFile("Trovanel.ini").substr(32, 4), "0007");
}

TEST_F(SetupDlgTest, FailedSaveKeepsTheDialogOpen) {
    std::ofstream("Trovanel.ini") << "kept";
    chmod("Trovanel.ini", 0444);
    Open();
    Type(IDC_LENGTH, "100");
    Click(IDOK);
    EXPECT_EQ(Texts(), TextList{"Cannot open Trovanel.ini file."});
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "100");
    EXPECT_EQ(ReadFile("Trovanel.ini"), "kept");
    chmod("Trovanel.ini", 0644);
    const UniqueFd lock(open(".Trovanel.ini.lock", O_CREAT | O_RDONLY | O_CLOEXEC, 0600));
    ASSERT_EQ(flock(lock.get(), LOCK_EX), 0); // another program saving it all along
    Click(IDOK);
    EXPECT_EQ(m_messages.back().text, "Cannot write Trovanel.ini file.");
    EXPECT_EQ(ReadFile("Trovanel.ini"), "kept");
    Click(IDCANCEL);
    EXPECT_FALSE(m_dialog->isVisible());
}

TEST_F(SetupDlgTest, SendReportsTheOutcome) {
    const std::string capture = (m_dir.path() / "capture.bin").string();
    m_environment.Set("OUTPORT_COM1", "file:" + capture);
    Open();
    Type(IDC_LENGTH, "50");
    Click(IDC_DIRECT_THERMAL);
    Click(IDC_SEND);
    ASSERT_TRUE(WaitForMessages(1));
    ASSERT_EQ(Texts(), TextList{"Send To Printer OK!"});
    EXPECT_EQ(m_messages[0].icon, QMessageBox::NoIcon);
    const std::string sent = ReadFile(capture);
    ASSERT_EQ(sent.size(), 38u);
    EXPECT_EQ(sent.substr(0, 9), "\x02KX0050\r\n");
    EXPECT_EQ(sent[21], '\0');
    EXPECT_FALSE(QFileInfo::exists("Trovanel.ini")); // Send does not save

    m_environment.Set("OUTPORT_COM1", (m_dir.path() / "no-such-tty").string());
    Click(IDC_SEND);
    ASSERT_TRUE(WaitForMessages(2));
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1].text, "Send To Printer Error!");
    EXPECT_EQ(m_messages[1].icon, QMessageBox::Warning);
    EXPECT_TRUE(m_messages[1].detail.startsWith("COM1 (")) << m_messages[1].detail.toStdString();
}

TEST_F(SetupDlgTest, F1AsksForTheDialogsHelpTopic) {
    Open();
    Press(Qt::Key_F1); // no help file beside the test program
    EXPECT_EQ(Texts(), TextList{"Failed to launch help."});
    EXPECT_EQ(m_messages[0].icon, QMessageBox::Warning);

    std::vector<HelpRequest> requests;
    m_dialog->SetHelpLauncher([&](const HelpRequest& request) {
        requests.push_back(request);
        return true;
    });
    Press(Qt::Key_F1, Qt::ShiftModifier);
    Press(Qt::Key_F1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].context, 0x20066u);
    const QString expected = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    EXPECT_EQ(QFileInfo(requests[0].file).fileName(), expected + ".HLP");
    EXPECT_EQ(m_messages.size(), 1u);
}

TEST_F(SetupDlgTest, TabStopsOncePerRadioGroupInTemplateOrder) {
    Open();
    const std::vector<int> order{
        IDC_LENGTH,           IDC_GAP,         IDC_CUT_OFFSET, IDC_TEAR, IDC_COM1,
        IDC_THERMAL_TRANSFER, IDC_PORTS,       IDC_SEND,       IDOK,     IDCANCEL,
        IDC_PRESET,           IDC_PRESET_MENU, IDC_UNIT_MM};
    for (const int id : order) {
        Press(Qt::Key_Tab);
        ASSERT_EQ(Focus(), m_dialog->GetDlgItem(id)) << id;
    }
    Press(Qt::Key_Backtab);
    EXPECT_EQ(Focus(), Button(IDC_PRESET_MENU));
    EXPECT_TRUE(m_messages.empty());
}

// A radio button pressed and let go off it has the focus without being its group's stop; Tab and
// Shift+Tab still leave the group.
TEST_F(SetupDlgTest, TabLeavesAGroupFromAButtonThatIsNotItsStop) {
    Open();
    for (const auto& [key, to] :
         {std::pair{Qt::Key_Tab, int{IDC_LENGTH}}, {Qt::Key_Backtab, int{IDC_PRESET_MENU}}}) {
        QTest::mousePress(Button(IDC_UNIT_INCH), Qt::LeftButton);
        QTest::mouseRelease(Button(IDC_UNIT_INCH), Qt::LeftButton, {}, QPoint(-5, -5));
        ASSERT_EQ(Focus(), Button(IDC_UNIT_INCH));
        Press(key);
        EXPECT_EQ(Focus(), m_dialog->GetDlgItem(to)) << key;
    }
    EXPECT_TRUE(Button(IDC_UNIT_MM)->isChecked());
}

// Arrow keys select as they move and wrap round the group.
TEST_F(SetupDlgTest, ArrowKeysSelectInsideAGroup) {
    Open();
    Click(IDC_COM1);
    Press(Qt::Key_Up);
    EXPECT_EQ(Focus(), Button(IDC_LPT2));
    EXPECT_TRUE(Button(IDC_LPT2)->isChecked());
    Press(Qt::Key_Down);
    Press(Qt::Key_Down);
    EXPECT_TRUE(Button(IDC_COM2)->isChecked());

    Press(Qt::Key_Up, Qt::AltModifier); // not an arrow move
    Click(IDC_UNIT_MM);
    Press(Qt::Key_Up); // counts as a click: the boxes switch to inches
    EXPECT_EQ(Label(IDC_LENGTH_UNIT), "0.1inch");
}

TEST_F(SetupDlgTest, AccessKeysMoveTheFocusFirstAndPressOnlyWhenItLanded) {
    Open();
    Type(IDC_LENGTH, "abc");
    Press(Qt::Key_S, Qt::AltModifier); // the check fails, so Send is not pressed
    EXPECT_EQ(Texts(), TextList{"Please enter an integer."});
    EXPECT_EQ(Focus(), Edit(IDC_LENGTH));

    QTest::keyClicks(Edit(IDC_LENGTH), "2000");
    Press(Qt::Key_P, Qt::AltModifier); // a label: focus to the checked print mode, no click
    EXPECT_EQ(Focus(), Button(IDC_THERMAL_TRANSFER));
    EXPECT_EQ(Texts().back(), "The Label Length value is out of range. The limit is 0 ~ 1103 mm.");

    Press(Qt::Key_U, Qt::AltModifier); // a group box: focus to its checked button
    EXPECT_EQ(Focus(), Button(IDC_UNIT_MM));
    Press(Qt::Key_I, Qt::AltModifier); // a radio button: focus, then click
    EXPECT_TRUE(Button(IDC_UNIT_INCH)->isChecked());
    EXPECT_EQ(Label(IDC_TEAR_UNIT), "0.1inch");

    // O and C stand on two controls each: the key only moves the focus.
    const std::size_t messages = m_messages.size();
    Press(Qt::Key_O, Qt::AltModifier);
    Press(Qt::Key_O, Qt::AltModifier);
    Press(Qt::Key_C, Qt::AltModifier);
    Press(Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_EQ(m_messages.size(), messages);

    std::string capture = (m_dir.path() / "alt-s.bin").string();
    m_environment.Set("OUTPORT_COM1", "file:" + capture);
    Click(IDC_GAP);
    Press(Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(Focus(), Button(IDC_SEND));
    ASSERT_TRUE(WaitForMessages(messages + 1));
    EXPECT_EQ(Texts().back(), "Send To Printer OK!");
}

// The Ports button sits in the free space left of Send, and its text fits at any font size.
TEST_F(SetupDlgTest, PortsButtonFitsLeftOfSend) {
    const QFont normal = QApplication::font();
    for (const double scale : {1.0, 1.75}) {
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        Open();
        auto* ports = qobject_cast<QPushButton*>(m_dialog->GetDlgItem(IDC_PORTS));
        ASSERT_NE(ports, nullptr);
        const QFontMetrics metrics(m_dialog->font());
        EXPECT_EQ(ports->geometry(), DialogUnitsToPixels(QRect(5, 196, 33, 14), metrics));
        EXPECT_LT(ports->geometry().right(), m_dialog->GetDlgItem(IDC_SEND)->x());
        QStyleOptionButton option;
        option.initFrom(ports);
        const QRect contents =
            ports->style()->subElementRect(QStyle::SE_PushButtonContents, &option, ports);
        EXPECT_GE(contents.width(), ports->fontMetrics().horizontalAdvance(QString("Ports\u2026")))
            << scale;
        m_dialog.reset();
    }
    QApplication::setFont(normal);
}

// The port buttons say which device each port means; the Ports dialog opens from its button
// and the buttons say it again when it closes.
TEST_F(SetupDlgTest, PortButtonsDescribeTheirDevicesAndPortsOpensTheDialog) {
    const std::string capture = (m_dir.path() / "capture.bin").string();
    m_environment.Set("OUTPORT_COM1", "file:" + capture);
    m_environment.Set("OUTPORT_COM2", "/dev/no-such-printer");
    Open();
    // Filled by a worker once the window is shown.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !Button(IDC_COM1)->toolTip().isEmpty(); }));
    EXPECT_EQ(Button(IDC_COM1)->toolTip(),
              QString::fromStdString(capture +
                                     " \u2014 ready\nprinter: status not reported by this "
                                     "connection"));
    EXPECT_EQ(Button(IDC_COM1)->accessibleDescription(), Button(IDC_COM1)->toolTip());
    EXPECT_EQ(Button(IDC_COM2)->toolTip(), "/dev/no-such-printer \u2014 not connected");

    int opened = 0;
    m_dialog->SetDialogRunner([this, &opened](QDialog& dialog) {
        EXPECT_NE(qobject_cast<CPortsDialog*>(&dialog), nullptr);
        ++opened;
        m_environment.Set("OUTPORT_COM2", "socket://127.0.0.1:9100");
        return static_cast<int>(QDialog::Rejected);
    });
    Press(Qt::Key_R, Qt::AltModifier);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Focus(), Button(IDC_PORTS));
    EXPECT_TRUE(QTest::qWaitFor([this] {
        return Button(IDC_COM2)->toolTip() ==
               "127.0.0.1:9100 \u2014 ready\nprinter: status not reported by this connection";
    })) << Button(IDC_COM2)->toolTip().toStdString();
}

// A preset fills the dialog as typing would, in its own unit, and leaves alone what it does not
// give; a file that cannot be used is not offered, and the list says why.
TEST_F(SetupDlgTest, PickingAPresetFillsTheDialogInItsUnit) {
    WritePreset("config", "a.preset", "name=Shipping 4x6\nunit=mm\nlength=152\nmode=direct\n");
    WritePreset("config", "b.preset", "name=Tags\nunit=inch\nlength=20\ntear=5\ncut=-3\n");
    WritePreset("config", "c.preset", "name=Broken\nlength=5\n");
    Open();
    ASSERT_EQ(Stock()->count(), 2);
    EXPECT_TRUE(
        Stock()->toolTip().endsWith("c.preset line 2: 'length' is given without a unit= line"))
        << Stock()->toolTip().toStdString();
    Type(IDC_CUT_OFFSET, "7");
    Press(Qt::Key_L, Qt::AltModifier);
    EXPECT_EQ(Focus(), Stock());
    Press(Qt::Key_Down);
    EXPECT_EQ(Stock()->currentText(), "Shipping 4x6");
    EXPECT_TRUE(Button(IDC_DIRECT_THERMAL)->isChecked());
    EXPECT_EQ(Edit(IDC_LENGTH)->text(), "152");
    EXPECT_EQ(Edit(IDC_CUT_OFFSET)->text(), "7");
    EXPECT_EQ(m_dialog->Settings().m_nLengthInch, 59);

    QTest::mouseClick(Stock(), Qt::LeftButton);
    QAbstractItemView* popup = Stock()->view();
    const QRect tags = popup->visualRect(popup->model()->index(1, 0));
    QTest::mouseMove(popup->viewport(), tags.center());
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, tags.center());
    EXPECT_TRUE(Button(IDC_UNIT_INCH)->isChecked());
    EXPECT_EQ(Label(IDC_LENGTH_UNIT), "0.1inch");
    for (const auto& [id, text] :
         {std::pair{IDC_LENGTH, "20"}, {IDC_GAP, "1"}, {IDC_TEAR, "5"}, {IDC_CUT_OFFSET, "-3"}}) {
        EXPECT_EQ(Edit(id)->text(), text) << id;
    }
    EXPECT_EQ(m_dialog->Settings().m_nLengthMm, 50);
    EXPECT_TRUE(Button(IDC_DIRECT_THERMAL)->isChecked());
    EXPECT_TRUE(m_messages.empty());

    Type(IDC_TEAR, "6");
    EXPECT_EQ(Stock()->currentText(), "Tags (changed)");
    Type(IDC_TEAR, "5");
    EXPECT_EQ(Stock()->currentText(), "Tags");
}

// Save As keeps the dialog's values under a name it asks for, until the name is a valid one, and
// replaces a preset of that name once the user agrees.
TEST_F(SetupDlgTest, SaveAsWritesTheDialogsValuesAndRefusesABadName) {
    Open();
    Type(IDC_LENGTH, "100");
    QStringList names{"a/b", "Roll 2", "Roll 2"};
    m_dialog->SetDialogRunner([&names](QDialog& dialog) {
        if (qobject_cast<QMessageBox*>(&dialog) != nullptr) {
            return static_cast<int>(QMessageBox::Yes);
        }
        dialog.show();
        auto* name = dialog.findChildren<QLineEdit*>().front();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(name, names.takeFirst());
        QTest::keyClick(name, Qt::Key_Return);
        return dialog.result();
    });
    Menu(Qt::Key_A);
    ASSERT_EQ(Texts(), TextList{"This name cannot be used."});
    EXPECT_EQ(m_messages[0].detail, "A preset name holds no '/'.");
    const std::string saved = ReadFile(m_dir.path() / "config/trovanel/presets/Roll 2.preset");
    EXPECT_NE(saved.find("unit=mm\nlength=100\ngap=3\n"), std::string::npos) << saved;
    EXPECT_EQ(Stock()->currentText(), "Roll 2");
    Type(IDC_LENGTH, "90");
    Menu(Qt::Key_A);
    EXPECT_EQ(Stock()->currentText(), "Roll 2");
    EXPECT_NE(ReadFile(m_dir.path() / "config/trovanel/presets/Roll 2.preset").find("length=90"),
              std::string::npos);
}

// Delete removes the user's own preset and refuses an administrator's, saying where it is.
TEST_F(SetupDlgTest, DeleteRefusesAnAdministratorsPreset) {
    const auto wide = WritePreset("xdg", "Wide.preset", "name=Wide\ncut=2\n");
    const auto mine = WritePreset("config", "Mine.preset", "name=Mine\nmode=direct\n");
    Open();
    Press(Qt::Key_L, Qt::AltModifier);
    Press(Qt::Key_End);
    EXPECT_EQ(Stock()->currentText(), "Wide (administrator)");
    Menu(Qt::Key_D);
    ASSERT_EQ(Texts(), TextList{"\"Wide\" is an administrator's label stock and cannot be "
                                "deleted here."});
    EXPECT_EQ(m_messages[0].detail, QString::fromStdString("It is kept in " + wide.string() + "."));
    EXPECT_TRUE(std::filesystem::exists(wide));
    Press(Qt::Key_L, Qt::AltModifier);
    Press(Qt::Key_Home);
    QMessageBox::StandardButton answer = QMessageBox::No;
    m_dialog->SetDialogRunner([&answer](QDialog&) { return static_cast<int>(answer); });
    Menu(Qt::Key_D);
    EXPECT_TRUE(std::filesystem::exists(mine));
    answer = QMessageBox::Yes;
    Menu(Qt::Key_D);
    EXPECT_FALSE(std::filesystem::exists(mine));
    EXPECT_EQ(Stock()->count(), 1);
    EXPECT_EQ(Stock()->currentIndex(), -1);
}

// Export writes the picked preset; import checks the whole file before it keeps anything.
TEST_F(SetupDlgTest, ExportAndImportGoThroughTheFileChooser) {
    WritePreset("config", "Mine.preset", "name=Mine\nmode=direct\n");
    WriteFile("bad.preset", "name=Bad\ncut=500\n");
    std::filesystem::path chosen = m_dir.path() / "out.preset";
    Open();
    m_dialog->SetPresetFileChooser([&chosen](QWidget*, PresetFileChoice, const QString&) {
        return QString::fromStdString(chosen.string());
    });
    Press(Qt::Key_L, Qt::AltModifier);
    Press(Qt::Key_Down);
    Menu(Qt::Key_E);
    EXPECT_EQ(ReadFile(chosen), "name=Mine\nmode=direct\n");
    chosen = m_dir.path() / "bad.preset";
    Menu(Qt::Key_I);
    ASSERT_EQ(Texts(), TextList{"This file cannot be imported."});
    EXPECT_TRUE(
        m_messages[0].detail.startsWith(QString::fromStdString(chosen.string() + " line 2: ")));
    EXPECT_EQ(Stock()->count(), 1);
}

} // namespace

namespace {

// Radio buttons in their groups with their checked state, names without access-key marks, the
// unit of each box as its description, following the unit switch.
TEST_F(SetupDlgTest, AssistiveTechnologyHearsEveryControlAndTheUnitSwitch) {
    // Each port button describes its device; devices that exist nowhere keep that the same on
    // every machine.
    m_environment.Set("OUTPORT_COM1", "/dev/no-such-com1");
    m_environment.Set("OUTPORT_COM2", "/dev/no-such-com2");
    m_environment.Set("OUTPORT_LPT1", "/dev/no-such-lpt1");
    m_environment.Set("OUTPORT_LPT2", "/dev/no-such-lpt2");
    Open();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !Button(IDC_LPT2)->accessibleDescription().isEmpty(); }));
    const QStringList expected{
        R"(Grouping "Unit")",
        R"(  RadioButton "0.1 inches" unchecked focusable)",
        R"(  RadioButton "millimeters" checked focusable)",
        R"(Grouping "Option Set")",
        R"(StaticText "Label Lenght")",
        R"(EditableText "Label Lenght" (mm) focusable)",
        R"(StaticText "Label Gap")",
        R"(EditableText "Label Gap" (mm) focusable)",
        R"(StaticText "Cut Offset")",
        R"(EditableText "Cut Offset" (pixel) focusable)",
        R"(StaticText "Tear Off Offset")",
        R"(EditableText "Tear Off Offset" (mm) focusable)",
        R"(Grouping "Communication")",
        R"(  RadioButton "COM1" (/dev/no-such-com1 — not connected) checked focusable)",
        R"(  RadioButton "COM2" (/dev/no-such-com2 — not connected) unchecked focusable)",
        R"(  RadioButton "LPT1" (/dev/no-such-lpt1 — not connected) unchecked focusable)",
        R"(  RadioButton "LPT2" (/dev/no-such-lpt2 — not connected) unchecked focusable)",
        R"(Separator "")",
        R"(StaticText "Print Mode")",
        R"(Separator "")",
        R"(Button "Ports…" focusable)",
        R"(Button "Send" focusable)",
        R"(Button "OK" focusable)",
        R"(Button "Cancel" focusable)",
        R"(StaticText "mm")",
        R"(StaticText "mm")",
        R"(StaticText "pixel")",
        R"(StaticText "mm")",
        R"(Graphic "Label measurements" (Where the cut offset, the label length and the label gap are measured.))",
        R"(StaticText "Label stock")",
        R"(ComboBox "Label stock" focusable)",
        R"(  List "" focusable)",
        R"(Button "Manage" (Save, delete, import or export label stocks) focusable)",
        R"(Grouping "Print Mode")",
        R"(  RadioButton "Thermal Transfer" checked focusable)",
        R"(  RadioButton "Direct Thermal" unchecked focusable)",
    };
    EXPECT_EQ(AccessibleTree(m_dialog.get()).join('\n').toStdString(),
              expected.join('\n').toStdString());

    Click(IDC_UNIT_INCH);
    QStringList switched = expected;
    switched[1] = R"(  RadioButton "0.1 inches" checked focusable)";
    switched[2] = R"(  RadioButton "millimeters" unchecked focusable)";
    switched.replaceInStrings("(mm)", "(0.1inch)");
    switched.replaceInStrings(R"("mm")", R"("0.1inch")");
    EXPECT_EQ(AccessibleTree(m_dialog.get()).join('\n').toStdString(),
              switched.join('\n').toStdString());
}

// A message box is an alert that says its text and the detail under it. (Qt announces it when
// it is shown; offscreen there is no accessibility bus to watch that on.)
TEST(DialogMessageTest, IsAnAlertWithItsTextAndDetail) {
    const auto box = CreateMessageBox(
        nullptr, {"Send To Printer Error!", QMessageBox::Warning, "COM1 (/dev/null): busy"});
    box->show();
    QAccessibleInterface* alert = QAccessible::queryAccessibleInterface(box.get());
    EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
    EXPECT_EQ(alert->text(QAccessible::Description),
              "Send To Printer Error!\nCOM1 (/dev/null): busy");
}

} // namespace
