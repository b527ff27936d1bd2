#pragma once

#include <QString>
#include <cstdint>

class CDialogBase;

// One pass of moving data between a dialog's controls and its members. The first control that
// does not read stops the pass: the calls after it do nothing.
class CDataExchange {
public:
    CDataExchange(CDialogBase& dialog, bool saveAndValidate)
        : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialogBase& Dialog() const { return m_dialog; }
    bool Saving() const { return m_bSaveAndValidate; }
    bool Failed() const { return m_bFailed; }
    void Fail() { m_bFailed = true; }

private:
    CDialogBase& m_dialog;
    bool m_bSaveAndValidate;
    bool m_bFailed = false;
};

// A radio group as the index of its checked button from the group's first, -1 when none is
// checked. Writing an index outside the group leaves none checked.
void DDX_Radio(CDataExchange* pDX, int firstId, std::int32_t& value);

// An edit box as an integer. Text that does not read says "Please enter an integer.", puts
// the focus back into the box with its text selected, and fails the pass.
void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value);

// A control's text as a string.
void DDX_Text(CDataExchange* pDX, int id, QString& value);
