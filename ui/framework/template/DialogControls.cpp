#include "ui/framework/template/DialogControls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <utility>

namespace {

bool TakesFocus(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::PushButton ||
           kind == ControlKind::RadioButton || kind == ControlKind::ComboBox;
}

} // namespace

CDialogControls::CDialogControls(std::vector<DialogControl> controls,
                                 std::vector<RadioGroup> groups)
    : m_controls(std::move(controls)), m_groups(std::move(groups)) {}

const DialogControl& CDialogControls::At(int index) const {
    return m_controls[static_cast<std::size_t>(index)];
}

const DialogControl* CDialogControls::ControlWithId(int id) const {
    const auto control = std::find_if(m_controls.begin(), m_controls.end(),
                                      [id](const DialogControl& c) { return c.item->id == id; });
    return control == m_controls.end() ? nullptr : &*control;
}

DialogControl* CDialogControls::ControlWithId(int id) {
    return const_cast<DialogControl*>(std::as_const(*this).ControlWithId(id));
}

QWidget* CDialogControls::Find(int id) const {
    const DialogControl* control = ControlWithId(id);
    return control == nullptr ? nullptr : control->widget;
}

int CDialogControls::IndexOf(const QObject* widget) const {
    const auto control =
        std::find_if(m_controls.begin(), m_controls.end(),
                     [widget](const DialogControl& c) { return c.widget == widget; });
    return control == m_controls.end() ? -1 : static_cast<int>(control - m_controls.begin());
}

const RadioGroup& CDialogControls::Group(int group) const {
    return m_groups[static_cast<std::size_t>(group)];
}

const RadioGroup& CDialogControls::GroupStartingAt(int firstId) const {
    const auto group =
        std::find_if(m_groups.begin(), m_groups.end(),
                     [firstId](const RadioGroup& g) { return g.firstId == firstId; });
    Q_ASSERT(group != m_groups.end());
    return *group;
}

QWidget* CDialogControls::EntryOf(int index) const {
    const DialogControl& control = At(index);
    if (control.group < 0) {
        return control.widget;
    }
    const RadioGroup& group = Group(control.group);
    const int checked = RadioIndex(group.firstId);
    return group.buttons[static_cast<std::size_t>(std::max(checked, 0))];
}

QWidget* CDialogControls::FocusTargetAfter(int index) const {
    for (int i = index + 1; i < static_cast<int>(m_controls.size()); ++i) {
        if (TakesFocus(At(i).item->kind)) {
            return EntryOf(i);
        }
    }
    return nullptr;
}

std::vector<QWidget*> CDialogControls::TabStops() const {
    std::vector<QWidget*> stops;
    int lastGroup = -1;
    for (int i = 0; i < static_cast<int>(m_controls.size()); ++i) {
        const DialogControl& control = At(i);
        if (!TakesFocus(control.item->kind) || (control.group >= 0 && control.group == lastGroup)) {
            continue;
        }
        lastGroup = control.group;
        stops.push_back(EntryOf(i));
    }
    return stops;
}

QString CDialogControls::ItemText(int id) const {
    const QWidget* widget = Find(id);
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

void CDialogControls::SetItemText(int id, const QString& text) {
    DialogControl* control = ControlWithId(id);
    QWidget* widget = control == nullptr ? nullptr : control->widget;
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
        if (control->describes != nullptr) {
            control->describes->setAccessibleDescription(text);
        }
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    }
}

int CDialogControls::RadioIndex(int firstId) const {
    const auto& buttons = GroupStartingAt(firstId).buttons;
    const auto checked = std::find_if(buttons.begin(), buttons.end(),
                                      [](const QAbstractButton* b) { return b->isChecked(); });
    return checked == buttons.end() ? -1 : static_cast<int>(checked - buttons.begin());
}

void CDialogControls::SetRadioIndex(int firstId, int index) {
    const auto& buttons = GroupStartingAt(firstId).buttons;
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
