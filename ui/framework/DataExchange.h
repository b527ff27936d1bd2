#pragma once

#include "ui/framework/template/DialogItems.h"

#include <QString>
#include <cstdint>

// One pass of moving data between a dialog's controls and its members. The first control that
// does not read stops the pass: the calls after it do nothing. Telling the user and returning
// the focus to that control is the caller's part.
class CDataExchange {
public:
    CDataExchange(CDialogItems& items, bool saveAndValidate)
        : m_items(items), m_bSaveAndValidate(saveAndValidate) {}

    CDialogItems& Items() const { return m_items; }
    bool Saving() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_bFailed; }
    // The control that did not read; meaningful once Failed().
    int FailedId() const { return m_nFailedId; }
    void Fail(int id) {
        m_bFailed = true;
        m_nFailedId = id;
    }

private:
    CDialogItems& m_items;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
    int m_nFailedId = 0;
};

// A radio group as the index of its checked button from the group's first, -1 when none is
// checked. Writing an index outside the group leaves none checked.
void DDX_Radio(CDataExchange* pDX, int firstId, std::int32_t& value);

// An edit box as an integer. Text that does not read leaves the member alone and fails the
// pass at this box.
void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value);

// A control's text as a string.
void DDX_Text(CDataExchange* pDX, int id, QString& value);
