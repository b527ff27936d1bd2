#include "DialogBase.h"

#include "DataExchange.h"
#include "DialogUnits.h"
#include "SvgPicture.h"

#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcutEvent>
#include <algorithm>

namespace {

bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::PushButton ||
           kind == ControlKind::RadioButton;
}

Qt::Alignment AlignmentOf(const ControlItem& item) {
    const Qt::Alignment vertical =
        item.kind == ControlKind::Label ? Qt::AlignTop : Qt::AlignVCenter;
    if (item.style & kAlignRight) {
        return Qt::AlignRight | vertical;
    }
    if (item.style & kAlignCenter) {
        return Qt::AlignHCenter | vertical;
    }
    return Qt::AlignLeft | vertical;
}

} // namespace

CDialogBase::CDialogBase(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_template(dialogTemplate) {
    setWindowTitle(QString::fromUtf8(m_template.caption));
    CreateControls();
}

int CDialogBase::DoModal() {
    OnInitDialog();
    return exec();
}

void CDialogBase::Create() {
    OnInitDialog();
    show();
}

void CDialogBase::CreateControls() {
    const QFontMetrics metrics(font());
    setFixedSize(
        DialogUnitsToPixels(QRect(0, 0, m_template.width, m_template.height), metrics).size());
    for (const ControlItem& item : m_template.controls) {
        QWidget* widget = CreateControl(item);
        widget->setGeometry(
            DialogUnitsToPixels(QRect(item.x, item.y, item.width, item.height), metrics));
        widget->installEventFilter(this);
        m_controls.push_back({&item, widget, -1});
    }
    AssignRadioGroups();
    ConnectNotifications();

    // Labels lead to the control after them: for the keyboard, and as the accessible name of
    // an edit box. Their access keys are handled in eventFilter.
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(m_controls[i].widget);
        QWidget* target = FocusTargetAfter(static_cast<int>(i));
        if (label == nullptr || target == nullptr) {
            continue;
        }
        const bool nextIsItsBox =
            i + 1 < m_controls.size() && m_controls[i + 1].item->kind == ControlKind::Edit;
        if (nextIsItsBox) {
            m_controls[i + 1].widget->setAccessibleName(label->text());
            label->setBuddy(m_controls[i + 1].widget);
        } else if (label->text().contains(QLatin1Char('&'))) {
            label->setBuddy(target);
        }
    }
}

QWidget* CDialogBase::CreateControl(const ControlItem& item) {
    const QString text = QString::fromUtf8(item.text);
    switch (item.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(text, this);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, this);
        radio->setAutoExclusive(false); // groups come from the template, not the parent
        return radio;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(text, this);
        label->setAlignment(AlignmentOf(item));
        return label;
    }
    case ControlKind::Edit: {
        auto* edit = new QLineEdit(this);
        edit->setAlignment(AlignmentOf(item));
        return edit;
    }
    case ControlKind::HorizontalLine: {
        auto* line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        return line;
    }
    case ControlKind::PushButton: {
        auto* button = new QPushButton(text, this);
        button->setAutoDefault(true);
        button->setDefault((item.style & kDefaultButton) != 0);
        return button;
    }
    case ControlKind::Picture:
        return new CSvgPicture(text, this);
    }
    return new QWidget(this);
}

// A group runs from a radio button with the group mark to the next control with the mark;
// only radio buttons belong to it.
void CDialogBase::AssignRadioGroups() {
    int open = -1;
    for (Control& control : m_controls) {
        const bool radio = control.item->kind == ControlKind::RadioButton;
        if (control.item->style & kGroupMark) {
            open = -1;
            if (radio) {
                auto* buttons = new QButtonGroup(this);
                buttons->setExclusive(true);
                m_radioGroups.push_back({control.item->id, buttons, {}});
                open = static_cast<int>(m_radioGroups.size()) - 1;
            }
        }
        if (radio && open >= 0) {
            auto* button = static_cast<QAbstractButton*>(control.widget);
            RadioGroupData& group = m_radioGroups[static_cast<std::size_t>(open)];
            group.buttons->addButton(button, static_cast<int>(group.list.size()));
            group.list.push_back(button);
            control.group = open;
        }
    }
}

void CDialogBase::ConnectNotifications() {
    for (const Control& control : m_controls) {
        auto* button = qobject_cast<QAbstractButton*>(control.widget);
        if (button == nullptr || control.item->id == kNoId) {
            continue;
        }
        const int id = control.item->id;
        connect(button, &QAbstractButton::clicked, this, [this, id] {
            if (!m_bExchanging) {
                OnClicked(id);
            }
        });
    }
}

QWidget* CDialogBase::GetDlgItem(int id) const {
    for (const Control& control : m_controls) {
        if (control.item->id == id) {
            return control.widget;
        }
    }
    return nullptr;
}

QString CDialogBase::GetDlgItemText(int id) const {
    const QWidget* widget = GetDlgItem(id);
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        return edit->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        return button->text();
    }
    return {};
}

void CDialogBase::SetDlgItemText(int id, const QString& text) {
    QWidget* widget = GetDlgItem(id);
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
}

const std::vector<QAbstractButton*>& CDialogBase::RadioGroup(int firstId) const {
    const auto group = std::find_if(m_radioGroups.begin(), m_radioGroups.end(),
                                    [firstId](const auto& g) { return g.firstId == firstId; });
    Q_ASSERT(group != m_radioGroups.end());
    return group->list;
}

int CDialogBase::CheckedRadioIndex(int firstId) const {
    const auto& buttons = RadioGroup(firstId);
    const auto checked = std::find_if(buttons.begin(), buttons.end(),
                                      [](const QAbstractButton* b) { return b->isChecked(); });
    return checked == buttons.end() ? -1 : static_cast<int>(checked - buttons.begin());
}

void CDialogBase::SetRadioIndex(int firstId, int index) {
    const auto& buttons = RadioGroup(firstId);
    if (index >= 0 && index < static_cast<int>(buttons.size())) {
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied while it is exclusive.
    QButtonGroup* group = buttons.front()->group();
    group->setExclusive(false);
    for (QAbstractButton* button : buttons) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

bool CDialogBase::UpdateData(bool saveAndValidate) {
    if (m_bExchanging) {
        return false;
    }
    m_bExchanging = true;
    CDataExchange exchange(*this, saveAndValidate);
    DoDataExchange(&exchange);
    m_bExchanging = false;
    return !exchange.Failed();
}

void CDialogBase::MessageBox(const QString& text, QMessageBox::Icon icon, const QString& detail) {
    ++m_nMessagesShown;
    m_showMessage(this, DialogMessage{text, icon, detail});
}

void CDialogBase::OnInitDialog() {
    m_bEnding = false;
    UpdateData(false);
    const std::vector<QWidget*> stops = TabStops();
    if (!stops.empty()) {
        stops.front()->setFocus(Qt::OtherFocusReason);
    }
}

void CDialogBase::DoDataExchange(CDataExchange*) {}

void CDialogBase::OnClicked(int id) {
    if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialogBase::OnKillFocus(int) {}

void CDialogBase::OnOK() {
    if (UpdateData(true)) {
        m_bEnding = true;
        QDialog::accept();
    }
}

void CDialogBase::OnCancel() {
    m_bEnding = true;
    QDialog::reject();
}

void CDialogBase::OnHelp() {
    if (!m_launchHelp(HelpRequestForDialog(m_template.id))) {
        MessageBox(QStringLiteral("Failed to launch help."), QMessageBox::Warning);
    }
}

// Escape, the window's close button and the default Cancel button all come here.
void CDialogBase::reject() {
    OnCancel();
}

void CDialogBase::keyPressEvent(QKeyEvent* event) {
    const auto held =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->key() == Qt::Key_F1 && held == Qt::NoModifier) {
        OnHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

int CDialogBase::IndexOf(const QObject* widget) const {
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i].widget == widget) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Where the keyboard enters a control: a radio group at its checked button, or its first.
QWidget* CDialogBase::EntryOf(int index) const {
    const Control& control = m_controls[static_cast<std::size_t>(index)];
    if (control.group < 0) {
        return control.widget;
    }
    const RadioGroupData& group = m_radioGroups[static_cast<std::size_t>(control.group)];
    const int checked = CheckedRadioIndex(group.firstId);
    return group.list[static_cast<std::size_t>(std::max(checked, 0))];
}

QWidget* CDialogBase::FocusTargetAfter(int index) const {
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < m_controls.size(); ++i) {
        if (TakesFocus(m_controls[i].item->kind)) {
            return EntryOf(static_cast<int>(i));
        }
    }
    return nullptr;
}

std::vector<QWidget*> CDialogBase::TabStops() const {
    std::vector<QWidget*> stops;
    int lastGroup = -1;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Control& control = m_controls[i];
        if (!TakesFocus(control.item->kind) || (control.group >= 0 && control.group == lastGroup)) {
            continue;
        }
        lastGroup = control.group;
        stops.push_back(EntryOf(static_cast<int>(i)));
    }
    return stops;
}

// Tab and Shift+Tab walk the template order, stopping once in each radio group.
bool CDialogBase::focusNextPrevChild(bool next) {
    const std::vector<QWidget*> stops = TabStops();
    if (stops.empty()) {
        return false;
    }
    const int count = static_cast<int>(stops.size());
    const int current = IndexOf(focusWidget());
    const int group = current >= 0 ? m_controls[static_cast<std::size_t>(current)].group : -1;
    int at = -1;
    for (int i = 0; i < count && current >= 0; ++i) {
        const int stop = IndexOf(stops[static_cast<std::size_t>(i)]);
        if (stop == current ||
            (group >= 0 && m_controls[static_cast<std::size_t>(stop)].group == group)) {
            at = i;
        }
    }
    const int target = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    stops[static_cast<std::size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                           : Qt::BacktabFocusReason);
    return true;
}

bool CDialogBase::eventFilter(QObject* watched, QEvent* event) {
    const int index = IndexOf(watched);
    if (index < 0) {
        return QDialog::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusOut:
        if (m_controls[static_cast<std::size_t>(index)].item->kind == ControlKind::Edit) {
            // The box finishes losing the focus first (it drops its selection then), so a
            // check that hands the focus straight back leaves the text selected.
            watched->event(event);
            HandleFocusLost(index, static_cast<QFocusEvent*>(event)->reason());
            return true;
        }
        break;
    case QEvent::Shortcut:
        return HandleShortcut(index, static_cast<QShortcutEvent*>(event)->isAmbiguous());
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            return HandleArrowKey(index, key->key());
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // The press that moved the focus out of a box whose check then spoke to the user
        // does not go on to click: the user answered a message in between.
        const bool swallow = m_pSwallowPress == watched;
        m_pSwallowPress = nullptr;
        return swallow;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

// A button's access key first moves the focus to it, so the box being left is checked, and
// then presses it, unless that check kept the focus. A label's or group box's access key moves
// the focus to the control after it. A letter shared by two controls only moves the focus.
bool CDialogBase::HandleShortcut(int index, bool ambiguous) {
    const Control& control = m_controls[static_cast<std::size_t>(index)];
    if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) {
        button->setFocus(Qt::ShortcutFocusReason);
        if (!ambiguous && button->hasFocus()) {
            button->click();
        }
        return true;
    }
    if (QWidget* target = FocusTargetAfter(index)) {
        target->setFocus(Qt::ShortcutFocusReason);
    }
    return true;
}

// Arrow keys move round a radio group and select the button they reach.
bool CDialogBase::HandleArrowKey(int index, int key) {
    const Control& control = m_controls[static_cast<std::size_t>(index)];
    if (control.group < 0) {
        return false;
    }
    int step = 0;
    if (key == Qt::Key_Down || key == Qt::Key_Right) {
        step = 1;
    } else if (key == Qt::Key_Up || key == Qt::Key_Left) {
        step = -1;
    } else {
        return false;
    }
    const auto& buttons = m_radioGroups[static_cast<std::size_t>(control.group)].list;
    const int count = static_cast<int>(buttons.size());
    const auto position = std::find(buttons.begin(), buttons.end(), control.widget);
    const int from = static_cast<int>(position - buttons.begin());
    QAbstractButton* target = buttons[static_cast<std::size_t>((from + step + count) % count)];
    target->setFocus(Qt::TabFocusReason);
    target->click();
    return true;
}

void CDialogBase::HandleFocusLost(int index, Qt::FocusReason reason) {
    // A context menu is no focus loss, and a dialog that is ending checks nothing more.
    if (m_bExchanging || m_bCheckingFocus || m_bEnding || reason == Qt::PopupFocusReason) {
        return;
    }
    QWidget* gaining = QApplication::focusWidget();
    const int messagesBefore = m_nMessagesShown;
    m_bCheckingFocus = true;
    OnKillFocus(m_controls[static_cast<std::size_t>(index)].item->id);
    m_bCheckingFocus = false;
    const bool interrupted =
        m_nMessagesShown != messagesBefore || QApplication::focusWidget() != gaining;
    if (reason == Qt::MouseFocusReason && interrupted &&
        qobject_cast<QAbstractButton*>(gaining) != nullptr) {
        m_pSwallowPress = gaining;
    }
}
