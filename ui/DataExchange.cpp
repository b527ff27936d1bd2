#include "DataExchange.h"

#include "DialogBase.h"
#include "EditInteger.h"

#include <QLineEdit>

namespace {

// Writing leaves a control alone when it already shows the text, so an edit box keeps its
// cursor and selection.
void WriteText(CDialogBase& dialog, int id, const QString& text) {
    if (dialog.GetDlgItemText(id) != text) {
        dialog.SetDlgItemText(id, text);
    }
}

} // namespace

void DDX_Radio(CDataExchange* pDX, int firstId, std::int32_t& value) {
    if (pDX->Failed()) {
        return;
    }
    if (!pDX->Saving()) {
        pDX->Dialog().SetRadioIndex(firstId, value);
        return;
    }
    value = pDX->Dialog().CheckedRadioIndex(firstId);
}

void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value) {
    if (pDX->Failed()) {
        return;
    }
    if (!pDX->Saving()) {
        WriteText(pDX->Dialog(), id, QString::number(value));
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(pDX->Dialog().GetDlgItem(id));
    const auto read = ReadEditInteger(edit->text().toStdString());
    if (read.has_value()) {
        value = *read;
        return;
    }
    pDX->Fail();
    pDX->Dialog().MessageBox(QStringLiteral("Please enter an integer."), QMessageBox::Warning);
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
}

void DDX_Text(CDataExchange* pDX, int id, QString& value) {
    if (pDX->Failed()) {
        return;
    }
    if (pDX->Saving()) {
        value = pDX->Dialog().GetDlgItemText(id);
    } else {
        WriteText(pDX->Dialog(), id, value);
    }
}
