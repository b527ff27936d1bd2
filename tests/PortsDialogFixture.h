#pragma once

#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/DialogMessage.h"
#include "ui/ports/DeviceQueries.h"
#include "ui/ports/PortRow.h"
#include "ui/ports/PortsDialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Opens the Ports dialog with the devices a test gives it, its configuration in a scratch
// folder, and drives it with key and mouse events. Prompts the dialog opens are handed to
// `m_answerPrompt`; message boxes are recorded.
class PortsDialogFixture : public testing::Test {
protected:
    PortsDialogFixture() : m_config(m_dir.path() / "config" / "outport.conf") {
        m_environment.Set("XDG_CONFIG_HOME", (m_dir.path() / "config").string());
        m_environment.Set("HOME", m_dir.path().string());
        m_environment.UnsetPorts();
    }
    ~PortsDialogFixture() override { m_dialog.reset(); }

    void Open() {
        m_dialog = std::make_unique<CPortsDialog>([this] { return m_devices; });
        m_dialog->SetPromptRunner([this](QDialog& prompt) {
            ++m_prompts;
            prompt.show();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&prompt));
            m_answerPrompt(prompt);
            // A window manager gives the activation back to the dialog.
            m_dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
            return prompt.result();
        });
        m_dialog->SetMessagePresenter(
            [this](QWidget*, const DialogMessage& message) { m_messages.push_back(message.text); });
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }

    CPortRow* Row(const char* port) const { return m_dialog->findChild<CPortRow*>(port); }
    QComboBox* Box(const char* port) const { return Row(port)->Target(); }
    QString Status(const char* port) const {
        return Row(port)->findChild<QLabel*>("status")->text();
    }
    QString Origin(const char* port) const {
        return Row(port)->findChild<QLabel*>("origin")->text();
    }
    QComboBox* LineSetting(const char* port, const QString& name) const {
        for (auto* box : Row(port)->findChildren<QComboBox*>()) {
            if (box->accessibleName() == name) {
                return box;
            }
        }
        return nullptr;
    }

    // Opens the list with F4, moves to the entry `text` with the arrow keys and takes it.
    void Pick(const char* port, const QString& text) {
        QComboBox* box = Box(port);
        QTest::mouseClick(box->lineEdit(), Qt::LeftButton);
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        QTest::keyClick(box, Qt::Key_F4);
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(list->isVisible());
        QTest::keyClick(list, Qt::Key_Home);
        while (list->currentIndex().row() != target) {
            const int before = list->currentIndex().row();
            QTest::keyClick(list, Qt::Key_Down);
            ASSERT_NE(list->currentIndex().row(), before);
        }
        QTest::keyClick(list, Qt::Key_Return);
    }
    void TypeUri(const char* port, const QString& uri) {
        QLineEdit* edit = Box(port)->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, uri);
    }
    // Presses Test and waits for the worker's answer.
    void RunTest(const char* port) {
        auto* test = Row(port)->findChild<QPushButton*>("test");
        QTest::mouseClick(test, Qt::LeftButton);
        EXPECT_FALSE(test->isEnabled()); // one probe at a time
        ASSERT_TRUE(QTest::qWaitFor([test] { return test->isEnabled(); }, 20000));
    }
    void PressOk() {
        auto* buttons = m_dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    }

    void WriteConfig(const std::string& text) {
        std::filesystem::create_directories(m_config.parent_path());
        std::ofstream(m_config, std::ios::binary) << text;
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    std::filesystem::path m_config;
    std::vector<DeviceEntry> m_devices;
    std::function<void(QDialog&)> m_answerPrompt = [](QDialog& prompt) { prompt.reject(); };
    std::unique_ptr<CPortsDialog> m_dialog;
    std::vector<QString> m_messages;
    int m_prompts = 0;
};
