// The dialogs in German and French from the built catalogues, and under a translator that marks
// every text it is asked for, so that a text shown without being translated stands out.
#include "tests/Environment.h"
#include "tests/WorkDirectory.h"
#include "ui/framework/template/DialogUnits.h"
#include "ui/framework/template/SvgPicture.h"
#include "ui/framework/template/TextFit.h"
#include "ui/language/UserLanguage.h"
#include "ui/ports/NetworkPrinterDialog.h"
#include "ui/ports/PortsDialog.h"
#include "ui/setup/SendProgress.h"
#include "ui/setup/SetupDialogTemplate.h"
#include "ui/setup/SetupDlg.h"
#include "ui/stock/PresetNameDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>
#include <QTranslator>
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <utility>
#include <vector>

namespace {

const QString kMark = QStringLiteral("\u27e6");

// Answers every text with the text between marks.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return *source == '\0' ? QString() : kMark + QString::fromUtf8(source) + u'\u27e7';
    }
    bool isEmpty() const override { return false; }
};

std::vector<DeviceEntry> NoDevices() {
    return {};
}

// Installs the built catalogues of one language.
InstalledTranslators Speak(const char* language) {
    InstalledTranslators installed =
        InstallTranslators({QString::fromLatin1(language)}, {QStringLiteral(TROVANEL_QM_FOLDER)});
    EXPECT_NE(installed.program, nullptr) << language;
    EXPECT_NE(installed.qt, nullptr) << language;
    return installed;
}

// The access key a text gives its control, 0 when none ("&&" is a plain '&').
QChar AccessKey(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'&') {
            if (text[i + 1] != u'&') {
                return text[i + 1].toLower();
            }
            ++i;
        }
    }
    return {};
}

// Every access key under `window`, with the texts that use it.
std::map<QChar, QStringList> AccessKeys(const QWidget* window) {
    std::map<QChar, QStringList> keys;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        const QString text = ControlText(widget);
        if (const QChar key = AccessKey(text); !key.isNull()) {
            keys[key] << text;
        }
    }
    return keys;
}

// Expects every text under `window` a person sees or hears to have gone through a translation.
// The tips and descriptions of the objects in `reasons`, and the text of those that are
// labels, are the port library's English reasons and device names.
void ExpectAllMarked(const QWidget* window, const std::vector<const QObject*>& reasons = {}) {
    QStringList found;
    const auto check = [&](const QWidget* widget, const char* what, const QString& text) {
        // Numbers and addresses are data, not words.
        const bool words =
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
        if (words && !text.contains(kMark)) {
            found << widget->metaObject()->className() + QStringLiteral(" ") + what + ": " + text;
        }
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(const_cast<QWidget*>(window));
    for (const QWidget* widget : widgets) {
        if (qobject_cast<const QLineEdit*>(widget) != nullptr) {
            continue; // what the user typed
        }
        const bool reason = std::find(reasons.begin(), reasons.end(), widget) != reasons.end();
        if (widget->isWindow()) {
            check(widget, "title", widget->windowTitle());
        }
        if (!reason || qobject_cast<const QLabel*>(widget) == nullptr) {
            check(widget, "text", ControlText(widget));
        }
        if (!reason) {
            check(widget, "tooltip", widget->toolTip());
            check(widget, "description", widget->accessibleDescription());
        }
        check(widget, "name", widget->accessibleName());
        if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i) {
                check(widget, "item", list->itemText(i));
            }
            check(widget, "placeholder", list->placeholderText());
        }
        if (const auto* menu = qobject_cast<const QMenu*>(widget)) {
            for (const QAction* entry : menu->actions()) {
                check(widget, "entry", entry->text());
            }
        }
    }
    EXPECT_TRUE(found.isEmpty()) << found.join('\n').toStdString();
}

// The setup dialog in a scratch folder, its messages recorded.
class DialogTest : public testing::Test {
protected:
    DialogTest() {
        m_environment.UnsetPorts();
        m_environment.Set("XDG_CONFIG_HOME", m_dir.path().string());
        m_environment.Set("XDG_CONFIG_DIRS", m_dir.path().string());
    }

    void Open() {
        m_dialog = std::make_unique<CSetupDlg>();
        m_dialog->SetMessagePresenter(
            [this](QWidget*, const DialogMessage& message) { m_messages.push_back(message); });
        m_dialog->Create();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    QWidget* Item(int id) const { return m_dialog->GetDlgItem(id); }
    void Type(int id, const QString& text) {
        QTest::mouseClick(Item(id), Qt::LeftButton);
        QTest::keyClick(Item(id), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(Item(id), text);
    }
    bool WaitForMessages(std::size_t count) {
        return QTest::qWaitFor([&] { return m_messages.size() >= count; });
    }

    WorkDirectory m_dir;
    ScopedEnvironment m_environment;
    std::unique_ptr<CSetupDlg> m_dialog;
    std::vector<DialogMessage> m_messages;
};

// Runs `body` once for each font size the dialog must look right at, then restores the font.
template <typename Body> void AtEachFontSize(Body body) {
    const QFont normal = QApplication::font();
    for (const double scale : {1.0, 1.75}) {
        SCOPED_TRACE(scale);
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        body();
    }
    QApplication::setFont(normal);
}

TEST(UserLanguageTest, TheFirstLanguageWithACatalogueWinsAndEnglishKeepsTheSource) {
    const struct {
        QStringList languages;
        const char* send;   // the setup dialog's Send button
        const char* cancel; // a standard button from Qt's own catalogue
    } cases[] = {
        {{"C"}, "&Send", "Cancel"},
        {{"de-DE"}, "&Senden", "Abbrechen"},
        {{"fr-CA", "de"}, "&Envoyer", "Annuler"},
        {{"it-IT", "de-AT"}, "&Senden", "Abbrechen"},
        {{"en-GB", "de-DE"}, "&Send", "Cancel"},
        // What Qt makes of LANGUAGE=xx:de and LANGUAGE=tlh:fr.
        {{"xx", "C", "de", "de-Latn-DE", "de-DE"}, "&Senden", "Abbrechen"},
        {{"tlh", "C", "fr"}, "&Envoyer", "Annuler"},
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.languages.join(' ').toStdString());
        const InstalledTranslators installed =
            InstallTranslators(entry.languages, {QStringLiteral(TROVANEL_QM_FOLDER)});
        EXPECT_EQ(QCoreApplication::translate("CSetupDlg", "&Send"), entry.send);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), entry.cancel);
    }
}

// The banner's words are drawn in the user's language, and only its words change.
TEST(BannerTest, DrawsItsWordsInTheUsersLanguage) {
    const auto draw = [] {
        CSvgPicture banner(QStringLiteral(":/banner.svg"), nullptr);
        banner.resize(283, 91);
        return banner.grab().toImage();
    };
    const QImage english = draw();
    for (const char* language : {"de", "fr"}) {
        SCOPED_TRACE(language);
        const InstalledTranslators installed = Speak(language);
        const QImage translated = draw();
        EXPECT_NE(translated, english);
        // The tags on the left, left of the cut line's words, are drawn alike.
        EXPECT_EQ(translated.copy(0, 0, 80, 91), english.copy(0, 0, 80, 91));
    }
}

// A control's text fits the room its style leaves for text.
void ExpectTextFits(const QWidget* widget) {
    const QString plain = QString(ControlText(widget)).remove(QRegularExpression("&(?!&)"));
    const int needed = widget->fontMetrics().horizontalAdvance(plain);
    QRect room = widget->contentsRect();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const bool radio = qobject_cast<const QRadioButton*>(widget) != nullptr;
        room = widget->style()->subElementRect(radio ? QStyle::SE_RadioButtonContents
                                                     : QStyle::SE_PushButtonContents,
                                               &option, button);
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        room = widget->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                               QStyle::SC_GroupBoxLabel, group);
        room.setRight(std::min(room.right(), group->rect().right()));
        room.adjust(0, 0, -(room.width() - needed) / 2, 0); // the title's margin on the right
    }
    EXPECT_GE(room.width(), needed) << plain.toStdString();
}

// No two controls of the dialog overlap, except a control inside its group box.
void ExpectNoOverlaps(const QWidget* dialog) {
    std::vector<std::pair<const QWidget*, QRect>> placed;
    for (const QWidget* widget : dialog->findChildren<QWidget*>()) {
        if (!ControlText(widget).isEmpty() || qobject_cast<const QLineEdit*>(widget) != nullptr) {
            placed.emplace_back(widget, QRect(widget->mapTo(dialog, QPoint()), widget->size()));
        }
    }
    for (const auto& [one, oneRect] : placed) {
        EXPECT_TRUE(dialog->rect().contains(oneRect)) << ControlText(one).toStdString();
        for (const auto& [other, otherRect] : placed) {
            const bool nested = oneRect.contains(otherRect) || otherRect.contains(oneRect);
            EXPECT_TRUE(one == other || nested || !oneRect.intersects(otherRect))
                << ControlText(one).toStdString() << " / " << ControlText(other).toStdString();
        }
    }
}

// The setup dialog and the Ports dialogs with the German or the French catalogue installed.
class TranslatedDialogTest : public DialogTest, public testing::WithParamInterface<const char*> {
protected:
    InstalledTranslators m_translators = Speak(GetParam());
};

INSTANTIATE_TEST_SUITE_P(GermanAndFrench, TranslatedDialogTest, testing::Values("de", "fr"));

TEST_P(TranslatedDialogTest, TextsFitAtEveryFontSize) {
    AtEachFontSize([&] {
        Open();
        for (const int unit : {IDC_UNIT_MM, IDC_UNIT_INCH}) {
            QTest::mouseClick(Item(unit), Qt::LeftButton);
            for (const QWidget* widget : m_dialog->findChildren<QWidget*>()) {
                ExpectTextFits(widget);
            }
        }
        ExpectNoOverlaps(m_dialog.get());
        m_dialog.reset();
    });
}

// Each measurement's rejection, in both units, and the banner's description read in the
// user's language.
TEST_P(TranslatedDialogTest, RejectionsAndTheBannerSpeakTheUsersLanguage) {
    Open();
    for (const int unit : {IDC_UNIT_MM, IDC_UNIT_INCH}) {
        QTest::mouseClick(Item(unit), Qt::LeftButton);
        for (const int box : {IDC_LENGTH, IDC_GAP, IDC_TEAR, IDC_CUT_OFFSET}) {
            Type(box, QStringLiteral("9999"));
            QTest::keyClick(Item(box), Qt::Key_Tab);
        }
    }
    ASSERT_EQ(m_messages.size(), 8u);
    for (const DialogMessage& message : m_messages) {
        EXPECT_TRUE(message.text.contains(GetParam() == std::string("de") ? "Zulässig" : "admises"))
            << message.text.toStdString();
    }
    EXPECT_NE(m_dialog->findChild<CSvgPicture*>()->accessibleName(), "Label measurements");
}

// No two controls of a dialog share an access key, and every control that has one in English
// (where two pairs share theirs) has one.
TEST_P(TranslatedDialogTest, AccessKeysAreUniqueInEachDialog) {
    const auto keyedTexts = [](const std::map<QChar, QStringList>& keys) {
        qsizetype count = 0;
        for (const auto& [key, texts] : keys) {
            count += texts.size();
        }
        return count;
    };
    m_translators = {}; // English first
    std::vector<qsizetype> english;
    {
        CSetupDlg setup;
        CPortsDialog ports(NoDevices);
        CNetworkPrinterDialog network;
        CPresetNameDialog name;
        english = {keyedTexts(AccessKeys(&setup)), keyedTexts(AccessKeys(&ports)),
                   keyedTexts(AccessKeys(&network)), keyedTexts(AccessKeys(&name))};
    }
    m_translators = Speak(GetParam());
    CSetupDlg setup;
    CPortsDialog ports(NoDevices);
    CNetworkPrinterDialog network;
    CPresetNameDialog name;
    const std::vector<const QWidget*> dialogs{&setup, &ports, &network, &name};
    for (std::size_t i = 0; i < dialogs.size(); ++i) {
        const auto keys = AccessKeys(dialogs[i]);
        for (const auto& [key, texts] : keys) {
            EXPECT_EQ(texts.size(), 1) << texts.join(", ").toStdString();
        }
        EXPECT_EQ(static_cast<qsizetype>(keys.size()), english[i]);
    }
}

// Untranslated, the template's own places hold every text, the label stock row's included.
TEST_F(DialogTest, EnglishTextsFitAtEveryFontSize) {
    AtEachFontSize([&] {
        Open();
        for (const QWidget* widget : m_dialog->findChildren<QWidget*>()) {
            ExpectTextFits(widget);
        }
        ExpectNoOverlaps(m_dialog.get());
        m_dialog.reset();
    });
}

// Untranslated, every control keeps the template's place and size.
TEST_F(DialogTest, EnglishKeepsTheTemplatesGeometry) {
    AtEachFontSize([&] {
        Open();
        const QFontMetrics metrics(m_dialog->font());
        const DialogTemplate& layout = kSetupDialogTemplate;
        EXPECT_EQ(m_dialog->size(),
                  DialogUnitsToPixels(QRect(0, 0, layout.width, layout.height), metrics).size());
        for (const ControlItem& item : layout.controls) {
            if (item.id == kNoId) {
                continue;
            }
            const QWidget* widget = Item(item.id);
            EXPECT_EQ(QRect(widget->mapTo(m_dialog.get(), QPoint()), widget->size()),
                      DialogUnitsToPixels(QRect(item.x, item.y, item.width, item.height), metrics))
                << item.text;
        }
        m_dialog.reset();
    });
}

// Under the marking translator every text of the setup dialog, its progress window, the Ports
// dialog, the network printer dialog and every message box comes out marked. The port buttons'
// tips and the reasons of a failed Send or of a port row are the port library's, in English.
TEST_F(DialogTest, EveryVisibleTextIsTranslated) {
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    const std::string capture = (m_dir.path() / "capture.bin").string();
    m_environment.Set("OUTPORT_COM1", "file:" + capture);
    m_environment.Set("OUTPORT_COM2", (m_dir.path() / "no-such-tty").string());
    std::ofstream("Trovanel.ini") << "0001";
    chmod("Trovanel.ini", 0444);
    Open();
    const std::vector<const QObject*> portButtons{Item(IDC_COM1), Item(IDC_COM2), Item(IDC_LPT1),
                                                  Item(IDC_LPT2)};
    ExpectAllMarked(m_dialog.get(), portButtons);
    QTest::mouseClick(Item(IDC_UNIT_INCH), Qt::LeftButton);
    ExpectAllMarked(m_dialog.get(), portButtons);

    // Every message: a value out of range, no number, a failed save, no help, a Send that
    // worked and one that failed.
    Type(IDC_LENGTH, QStringLiteral("9999"));
    QTest::keyClick(Item(IDC_LENGTH), Qt::Key_Tab);
    Type(IDC_GAP, QStringLiteral("x"));
    QTest::mouseClick(Item(IDOK), Qt::LeftButton);
    Type(IDC_GAP, QStringLiteral("1"));
    QTest::mouseClick(Item(IDOK), Qt::LeftButton);
    m_dialog->SetHelpLauncher([](const HelpRequest&) { return false; });
    QTest::keyClick(m_dialog.get(), Qt::Key_F1);
    QTest::mouseClick(Item(IDC_SEND), Qt::LeftButton);
    ASSERT_TRUE(WaitForMessages(5));
    QTest::mouseClick(Item(IDC_COM2), Qt::LeftButton);
    QTest::mouseClick(Item(IDC_SEND), Qt::LeftButton);
    ASSERT_TRUE(WaitForMessages(6));
    for (const DialogMessage& message : m_messages) {
        const std::unique_ptr<QMessageBox> box = CreateMessageBox(m_dialog.get(), message);
        EXPECT_EQ(box->windowTitle(), ApplicationCaption()); // the program's file name
        box->setWindowTitle(kMark);
        ExpectAllMarked(box.get(), {box->findChild<QLabel*>("qt_msgbox_informativelabel")});
    }

    CSendProgress progress(0, m_dialog.get());
    EXPECT_EQ(progress.windowTitle(), ApplicationCaption());
    progress.setWindowTitle(kMark);
    ExpectAllMarked(&progress);
    CNetworkPrinterDialog network;
    ExpectAllMarked(&network);
    CPresetNameDialog name;
    ExpectAllMarked(&name);
    CPortsDialog ports(NoDevices);
    std::vector<const QObject*> reasons; // a row's state, and its box's tip and description
    for (const QObject* reason : ports.findChildren<QLabel*>(QStringLiteral("status"))) {
        reasons.push_back(reason);
    }
    for (const QComboBox* target : ports.findChildren<QComboBox*>()) {
        if (target->isEditable()) {
            reasons.push_back(target);
        }
    }
    ExpectAllMarked(&ports, reasons);
    QCoreApplication::removeTranslator(&marking);
}

} // namespace
