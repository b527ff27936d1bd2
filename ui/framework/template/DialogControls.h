#pragma once

#include "ui/framework/template/DialogItems.h"
#include "ui/framework/template/DialogTemplate.h"

#include <QString>
#include <vector>

class QAbstractButton;
class QObject;
class QWidget;

// One control of a built dialog: its template entry, its widget, the radio group it belongs to
// (an index into the groups, -1 for any other control), and for a unit label the box it
// describes (else nullptr).
struct DialogControl {
    const ControlItem* item;
    QWidget* widget;
    int group;
    QWidget* describes;
};

// A radio group's buttons in template order; its first button names it.
struct RadioGroup {
    int firstId;
    std::vector<QAbstractButton*> buttons;
};

// The controls of a built dialog in template order: looked up by id or widget, their text,
// their radio groups, and where the keyboard enters them.
class CDialogControls final : public CDialogItems {
public:
    CDialogControls(std::vector<DialogControl> controls, std::vector<RadioGroup> groups);

    const std::vector<DialogControl>& All() const { return m_controls; }
    const DialogControl& At(int index) const;
    // The widget of the control with this id, nullptr when there is none.
    QWidget* Find(int id) const;
    // The position of a widget in template order, -1 when it is no control.
    int IndexOf(const QObject* widget) const;
    const RadioGroup& Group(int group) const;

    // Where the keyboard enters a control: a radio group at its checked button, or its first.
    QWidget* EntryOf(int index) const;
    // The entry of the first control after `index` that takes the focus, nullptr when none.
    QWidget* FocusTargetAfter(int index) const;
    // The controls Tab stops at, in template order, once per radio group.
    std::vector<QWidget*> TabStops() const;

    QString ItemText(int id) const override;
    void SetItemText(int id, const QString& text) override;
    int RadioIndex(int firstId) const override;
    void SetRadioIndex(int firstId, int index) override;

private:
    DialogControl* ControlWithId(int id);
    const DialogControl* ControlWithId(int id) const;
    const RadioGroup& GroupStartingAt(int firstId) const;

    std::vector<DialogControl> m_controls;
    std::vector<RadioGroup> m_groups;
};
