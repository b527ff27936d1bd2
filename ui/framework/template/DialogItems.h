#pragma once

#include <QString>

// What moving data between members and controls needs of a dialog: the text of a control and
// the checked button of a radio group, by control id.
class CDialogItems {
public:
    virtual QString ItemText(int id) const = 0;
    virtual void SetItemText(int id, const QString& text) = 0;
    // The index of the checked button from the group's first, -1 when none is checked.
    virtual int RadioIndex(int firstId) const = 0;
    // Checks the button with that index and clears the others; an index outside the group
    // leaves none checked.
    virtual void SetRadioIndex(int firstId, int index) = 0;

protected:
    CDialogItems() = default;
    CDialogItems(const CDialogItems&) = default;
    CDialogItems& operator=(const CDialogItems&) = default;
    ~CDialogItems() = default;
};
