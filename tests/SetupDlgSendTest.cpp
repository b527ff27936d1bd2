// Send from the setup dialog to a pseudo-terminal, driven with real mouse and key events: the
// dialog stays responsive but takes no input while the call runs on its worker thread, a stalled
// printer brings up the progress window, and Cancel, Escape or closing end the call.
#include "tests/Environment.h"
#include "tests/PseudoTerminal.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/TerminationWatch.h"
#include "ui/setup/SendProgress.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPointingDevice>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// Counts the progress windows that were ever shown, so a quick send can prove it showed none.
class ProgressShowCounter : public QObject {
public:
    ProgressShowCounter() { QApplication::instance()->installEventFilter(this); }
    ~ProgressShowCounter() override { QApplication::instance()->removeEventFilter(this); }
    int m_nShown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && qobject_cast<CSendProgress*>(watched) != nullptr) {
            ++m_nShown;
        }
        return false;
    }
};

// Counts the touches that reach one widget.
class TouchCounter : public QObject {
public:
    explicit TouchCounter(QWidget* widget) { widget->installEventFilter(this); }
    int m_nBegun = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        m_nBegun += event->type() == QEvent::TouchBegin ? 1 : 0;
        return false;
    }
};

class SetupDlgSendTest : public testing::Test {
protected:
    void SetUp() override {
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.Set("OUTPORT_COM1", m_pty.Name());
        m_environment.Set("OUTPORT_TIMEOUT_MS", "20000"); // only Cancel ends a stalled send in time
    }
    void TearDown() override { m_dialog.reset(); }

    void Open() {
        m_messages.clear();
        m_dialog = std::make_unique<CSetupDlg>();
        m_dialog->SetMessagePresenter(
            [this](QWidget*, const DialogMessage& message) { m_messages.push_back(message); });
        m_dialog->Create();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    QWidget* Item(int id) const { return m_dialog->GetDlgItem(id); }
    void Click(int id) { QTest::mouseClick(Item(id), Qt::LeftButton); }
    // The progress window exists from the click on Send until the send has ended.
    CSendProgress* Progress() const { return m_dialog->findChild<CSendProgress*>(); }
    bool Sending() const { return Progress() != nullptr; }
    bool WaitForProgressShown() {
        return QTest::qWaitFor([&] { return Sending() && Progress()->isVisible(); });
    }
    bool WaitForMessage() {
        return QTest::qWaitFor([&] { return !m_messages.empty(); });
    }
    void ExpectCancelled() {
        ASSERT_TRUE(WaitForMessage());
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].text, "Send To Printer Error!");
        EXPECT_EQ(m_messages[0].icon, QMessageBox::Warning);
        EXPECT_EQ(m_messages[0].detail.toStdString(),
                  "COM1 (" + m_pty.Name() + "): cancelled after 0 of 38 bytes");
        EXPECT_FALSE(Sending());
        EXPECT_TRUE(m_pty.Released());
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    PseudoTerminal m_pty;
    std::unique_ptr<CSetupDlg> m_dialog;
    std::vector<DialogMessage> m_messages;
};

TEST_F(SetupDlgSendTest, QuickSendShowsNoProgressWindow) {
    const ProgressShowCounter shown;
    Open();
    Click(IDC_SEND);
    ASSERT_TRUE(WaitForMessage());
    EXPECT_EQ(m_messages[0].text, "Send To Printer OK!");
    EXPECT_EQ(m_pty.Received().size(), 38u);
    EXPECT_FALSE(Sending());
    EXPECT_EQ(shown.m_nShown, 0);
}

TEST_F(SetupDlgSendTest, StalledSendShowsProgressLaterAndItsCancelButtonEndsIt) {
    m_pty.Stall();
    Open();
    Click(IDC_SEND);
    ASSERT_TRUE(Sending());
    QCoreApplication::processEvents();     // whatever was due at once has happened now
    EXPECT_FALSE(Progress()->isVisible()); // only a send still running later shows it
    ASSERT_TRUE(WaitForProgressShown());

    CSendProgress* progress = Progress();
    EXPECT_EQ(progress->windowTitle(),
              QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
    const auto* text = progress->findChild<QLabel*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->text().toStdString(), "Sending to COM1 (" + m_pty.Name() + ")…");
    const auto* busy = progress->findChild<QProgressBar*>();
    ASSERT_NE(busy, nullptr);
    EXPECT_EQ(busy->maximum(), 0); // a busy indicator, not a percentage
    EXPECT_TRUE(m_messages.empty());

    auto* cancel = progress->findChild<QPushButton*>();
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    QTest::mouseClick(cancel, Qt::LeftButton);
    ExpectCancelled();
    m_pty.Resume();
    EXPECT_TRUE(m_pty.Received().empty()); // the unsent block was dropped, not delivered later
}

TEST_F(SetupDlgSendTest, EscapeOrClosingTheProgressWindowCancels) {
    m_pty.Stall();
    Open();
    for (const auto& end :
         std::vector<std::function<void()>>{[this] { QTest::keyClick(Progress(), Qt::Key_Escape); },
                                            [this] { Progress()->close(); }}) {
        m_messages.clear();
        Click(IDC_SEND);
        ASSERT_TRUE(WaitForProgressShown());
        end();
        ExpectCancelled();
        EXPECT_TRUE(m_dialog->isVisible());
    }
}

// Before the progress window shows and while it is up, clicks, a press without its release,
// keys and touches reach no control; once the send has ended the dialog answers again. The
// box takes touches so that they are not turned into mouse events on their way.
TEST_F(SetupDlgSendTest, DialogTakesNoInputWhileSending) {
    m_pty.Stall();
    Open();
    auto* length = qobject_cast<QLineEdit*>(Item(IDC_LENGTH));
    auto* inch = qobject_cast<QAbstractButton*>(Item(IDC_UNIT_INCH));
    length->setAttribute(Qt::WA_AcceptTouchEvents);
    const TouchCounter touches(length);
    // The test owns the device it makes; deleting it unregisters it.
    const std::unique_ptr<QPointingDevice> screen(QTest::createTouchDevice());
    const auto touch = [&] {
        QTest::touchEvent(length, screen.get()).press(0, length->rect().center(), length);
        QTest::touchEvent(length, screen.get()).release(0, length->rect().center(), length);
    };
    Click(IDC_SEND);
    ASSERT_TRUE(Sending());
    Click(IDOK);
    Click(IDC_UNIT_INCH);
    QTest::mousePress(inch, Qt::LeftButton);
    EXPECT_FALSE(inch->isDown());
    QTest::mouseRelease(inch, Qt::LeftButton);
    touch();
    QTest::keyClicks(length, "9");
    QTest::keyClick(Item(IDC_SEND), Qt::Key_Escape);
    QTest::keyClick(Item(IDC_SEND), Qt::Key_O, Qt::AltModifier);
    ASSERT_TRUE(WaitForProgressShown());
    Click(IDCANCEL);
    Click(IDC_SEND);
    QTest::keyClicks(length, "8");

    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists("Trovanel.ini"));
    EXPECT_EQ(length->text(), "0");
    EXPECT_FALSE(inch->isChecked());
    EXPECT_EQ(touches.m_nBegun, 0);

    QTest::mouseClick(Progress()->findChild<QPushButton*>(), Qt::LeftButton);
    ExpectCancelled(); // one message: the second click on Send started nothing
    touch();
    EXPECT_EQ(touches.m_nBegun, 1);
    QTest::mousePress(inch, Qt::LeftButton);
    EXPECT_TRUE(inch->isDown());
    QTest::mouseRelease(inch, Qt::LeftButton);
    EXPECT_TRUE(inch->isChecked());
    Click(IDOK);
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_TRUE(QFileInfo::exists("Trovanel.ini"));
}

// Closing the dialog cancels the send and waits for it, with no message left to show; a
// dialog destroyed in mid-send leaves nothing running behind it.
TEST_F(SetupDlgSendTest, ATerminationSignalDuringASendCancelsItAndClosesTheDialog) {
    m_pty.Stall();
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        Open();
        const CTerminationWatch watch(*m_dialog);
        Click(IDC_SEND);
        ASSERT_TRUE(WaitForProgressShown());
        ASSERT_EQ(raise(signal), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !m_dialog->isVisible(); }));
        EXPECT_EQ(watch.Received(), signal);
        EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
        EXPECT_FALSE(Sending());
        EXPECT_TRUE(m_pty.Released());
    }
}

TEST_F(SetupDlgSendTest, ClosingOrDestroyingTheDialogDuringASendEndsIt) {
    m_pty.Stall();
    Open();
    Click(IDC_SEND);
    ASSERT_TRUE(Sending());
    m_dialog->close();
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(Sending());
    EXPECT_TRUE(m_pty.Released());
    QTest::qWait(50);
    EXPECT_TRUE(m_messages.empty());

    Open();
    Click(IDC_SEND);
    ASSERT_TRUE(WaitForProgressShown());
    m_dialog.reset();
    EXPECT_TRUE(m_pty.Released());
    m_pty.Resume();
    EXPECT_TRUE(m_pty.Received().empty());
}

} // namespace
