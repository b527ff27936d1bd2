#include "ui/framework/KeyboardNavigation.h"

#include "ui/framework/template/DialogControls.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QShortcutEvent>
#include <algorithm>

CKeyboardNavigation::CKeyboardNavigation(const CDialogControls& controls, QWidget* dialog)
    : m_controls(controls), m_dialog(dialog) {
    for (const DialogControl& control : m_controls.All()) {
        control.widget->installEventFilter(this);
    }
}

void CKeyboardNavigation::FocusFirst() const {
    const std::vector<QWidget*> stops = m_controls.TabStops();
    if (!stops.empty()) {
        stops.front()->setFocus(Qt::OtherFocusReason);
    }
}

// Tab and Shift+Tab walk the template order, stopping once in each radio group.
bool CKeyboardNavigation::MoveFocus(bool next) const {
    const std::vector<QWidget*> stops = m_controls.TabStops();
    if (stops.empty()) {
        return false;
    }
    const int count = static_cast<int>(stops.size());
    const int current = m_controls.IndexOf(m_dialog->focusWidget());
    const int group = current >= 0 ? m_controls.At(current).group : -1;
    int at = -1;
    for (int i = 0; i < count && current >= 0; ++i) {
        const int stop = m_controls.IndexOf(stops[static_cast<std::size_t>(i)]);
        if (stop == current || (group >= 0 && m_controls.At(stop).group == group)) {
            at = i;
        }
    }
    const int target = at < 0 ? (next ? 0 : count - 1) : (at + (next ? 1 : count - 1)) % count;
    stops[static_cast<std::size_t>(target)]->setFocus(next ? Qt::TabFocusReason
                                                           : Qt::BacktabFocusReason);
    return true;
}

bool CKeyboardNavigation::eventFilter(QObject* watched, QEvent* event) {
    const int index = m_controls.IndexOf(watched);
    if (index < 0) {
        return false;
    }
    if (event->type() == QEvent::Shortcut) {
        return HandleShortcut(index, static_cast<QShortcutEvent*>(event)->isAmbiguous());
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            return HandleArrowKey(index, key->key());
        }
    }
    return false;
}

// A button's access key first moves the focus to it, so the box being left is checked, and
// then presses it, unless that check kept the focus. A label's or group box's access key moves
// the focus to the control after it. A letter shared by two controls only moves the focus.
bool CKeyboardNavigation::HandleShortcut(int index, bool ambiguous) const {
    if (auto* button = qobject_cast<QAbstractButton*>(m_controls.At(index).widget)) {
        button->setFocus(Qt::ShortcutFocusReason);
        if (!ambiguous && button->hasFocus()) {
            button->click();
        }
        return true;
    }
    if (QWidget* target = m_controls.FocusTargetAfter(index)) {
        target->setFocus(Qt::ShortcutFocusReason);
    }
    return true;
}

// Arrow keys move round a radio group, past its ends, and select the button they reach.
bool CKeyboardNavigation::HandleArrowKey(int index, int key) const {
    const DialogControl& control = m_controls.At(index);
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
    const auto& buttons = m_controls.Group(control.group).buttons;
    const int count = static_cast<int>(buttons.size());
    const auto position = std::find(buttons.begin(), buttons.end(), control.widget);
    const int from = static_cast<int>(position - buttons.begin());
    QAbstractButton* target = buttons[static_cast<std::size_t>((from + step + count) % count)];
    target->setFocus(Qt::TabFocusReason);
    target->click();
    return true;
}
