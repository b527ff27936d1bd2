// Runs under umockdev-wrapper: made-up USB printers whose names a locale could misread or that
// carry terminal sequences and markup, seen by the program in other locales and by the dialogs.

// glib's headers, in the test bed, come before Qt, whose 'signals' keyword would break them.
// clang-format off
#include "tests/MockDevices.h"
// clang-format on

#include "tests/Endpoints.h"
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/DialogMessage.h"
#include "ui/ports/NetworkPrinterDialog.h"
#include "ui/ports/PortRow.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome Trovanel(const QStringList& arguments, const QString& locale) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", locale);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(TROVANEL_PROGRAM, arguments);
    process.waitForFinished(-1);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// The text a person sees: Qt shows text that looks like markup as rich text.
QString Shown(const QString& text, Qt::TextFormat format = Qt::AutoText) {
    if (format == Qt::PlainText || (format == Qt::AutoText && !Qt::mightBeRichText(text))) {
        return text;
    }
    QTextDocument document;
    document.setHtml(text);
    return document.toPlainText();
}

TEST(DeviceStrings, NamesResolveAndEncodeTheSameInEveryLocale) {
    ASSERT_TRUE(MockDevices::Active()) << "run under umockdev-wrapper";
    const WorkDirectory dir;
    ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.path().string());
    MockDevices devices;
    devices.AddUsbDevice("1-1", "CITIZEN", "CL-S521", "Ci1");
    devices.AddUsbPrinter("lp0", "1-1", "MFG:CITIZEN;MDL:CL-S521;SN:Ci1;");
    devices.AddUsbDevice("1-2", "Caf\xc3\xa9", "X1", "");
    devices.AddUsbPrinter("lp1", "1-2", "MFG:Caf\xc3\xa9;MDL:X1;");
    for (const char* locale : {"tr_TR.UTF-8", "de_DE"}) {
        SCOPED_TRACE(locale);
        const Outcome listed = Trovanel({"ports", "--json"}, locale);
        EXPECT_TRUE(listed.out.contains("\"usb://Caf%C3%A9/X1\"")) << listed.out.toStdString();
        EXPECT_TRUE(listed.out.contains("\"usb://CITIZEN/CL-S521?serial=Ci1\""));
        for (const auto& [uri, node] :
             {std::pair{"usb://CITIZEN/cl-s521?serial=Ci1", "/dev/usb/lp0"},
              std::pair{"usb://caf%C3%A9/x1", "/dev/usb/lp1"}}) {
            const Outcome sent = Trovanel({"send", "--to", uri}, locale);
            EXPECT_EQ(sent.status, 0) << uri << ": " << sent.err.toStdString();
            EXPECT_EQ(ReadUntilQuiet(devices.MasterFd(node), 100).size(), 38U) << uri;
        }
    }
}

TEST(DeviceStrings, NamesThatPaintOrMarkUpAreShownAsTheyAre) {
    ASSERT_TRUE(MockDevices::Active()) << "run under umockdev-wrapper";
    const WorkDirectory dir;
    ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", dir.path().string());
    environment.Set("OUTPORT_COM1", "/dev/usb/lp0");
    MockDevices devices;
    devices.AddUsbDevice("1-1", "Evil", "P", "");
    const std::string markup = "<b>x</b><img src=\"file:///etc/hostname\">";
    devices.AddUsbPrinter("lp0", "1-1",
                          "MFG:Evil\x1b[2J\x07;MDL:" + markup + "\u202e;SN:1\x1b[2J;");

    const Outcome text = Trovanel({"ports"}, "C.UTF-8");
    EXPECT_TRUE(
        text.out.contains("Evil\\x1b[2J\\x07 " + QString::fromStdString(markup) + "\\u202e"))
        << text.out.toStdString();
    for (const QChar raw : {QChar(0x1b), QChar(0x07), QChar(0x202e)}) {
        EXPECT_FALSE(text.out.contains(raw));
    }

    // Every place in the dialogs that names the device, a path or a reason shows it as it is.
    const QString name = QString::fromStdString(markup);
    CSetupDlg setup;
    setup.Create();
    CPortsDialog ports;
    ports.show();
    CPortRow* row = ports.findChild<CPortRow*>("COM2");
    const int item = row->Target()->findText(name, Qt::MatchContains);
    ASSERT_GE(item, 0);
    row->Target()->setEditText(row->Target()->itemData(item).toString());
    const QString capture = "file:/nonexistent/" + name;
    const auto* status = row->findChild<QLabel*>("status");
    const std::unique_ptr<QMessageBox> box = CreateMessageBox(
        nullptr, {name, QMessageBox::Warning, "COM1 (/tmp/" + name + "): no such file"});
    const std::vector<std::pair<const char*, QString>> places{
        {"port button tip", Shown(setup.GetDlgItem(IDC_COM1)->toolTip())},
        {"box tip", Shown(row->Target()->toolTip())},
        {"message", Shown(box->text(), box->textFormat())},
        {"message detail", Shown(box->informativeText())},
    };
    for (const auto& [place, shown] : places) {
        EXPECT_TRUE(shown.contains(name)) << place << ": " << shown.toStdString();
    }
    row->Target()->setEditText(capture);
    QTest::mouseClick(row->findChild<QPushButton*>("test"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return status->text().startsWith("test failed"); }));
    EXPECT_TRUE(Shown(status->text(), status->textFormat()).contains(name));
    EXPECT_TRUE(Shown(status->toolTip()).contains(name)) << status->toolTip().toStdString();

    // The network printer's host cannot take a control character either, even pasted.
    CNetworkPrinterDialog prompt;
    prompt.show();
    auto* host = prompt.findChild<QLineEdit*>();
    QTest::keyClicks(host, "printer");
    QGuiApplication::clipboard()->setText("\x1b]0;x\x07");
    QTest::keyClick(host, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(host->text(), "printer");
}

} // namespace
