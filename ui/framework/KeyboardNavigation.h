#pragma once

#include <QObject>

class CDialogControls;
class QWidget;

// The keyboard of a dialog built from a template, as such dialogs have always had it and Qt
// does not give it: Tab stopping once per radio group, entering it at its checked button; arrow
// keys that move round a group and select; access keys that move the focus before they press.
// Watches every control of `controls`, which must outlive it.
class CKeyboardNavigation : public QObject {
public:
    CKeyboardNavigation(const CDialogControls& controls, QWidget* dialog);

    // Moves the focus to the next or previous tab stop of the dialog; false when it has none.
    bool MoveFocus(bool next) const;
    // Puts the focus on the first tab stop.
    void FocusFirst() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleShortcut(int index, bool ambiguous) const;
    bool HandleArrowKey(int index, int key) const;

    const CDialogControls& m_controls;
    QWidget* m_dialog;
};
