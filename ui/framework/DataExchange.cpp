#include "ui/framework/DataExchange.h"

#include "base/EditInteger.h"

namespace {

// Writing leaves a control alone when it already shows the text, so an edit box keeps its
// cursor and selection.
void WriteText(CDialogItems& items, int id, const QString& text) {
    if (items.ItemText(id) != text) {
        items.SetItemText(id, text);
    }
}

} // namespace

void DDX_Radio(CDataExchange* pDX, int firstId, std::int32_t& value) {
    if (pDX->Failed()) {
        return;
    }
    if (pDX->Saving()) {
        value = pDX->Items().RadioIndex(firstId);
    } else {
        pDX->Items().SetRadioIndex(firstId, value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, std::int32_t& value) {
    if (pDX->Failed()) {
        return;
    }
    if (!pDX->Saving()) {
        WriteText(pDX->Items(), id, QString::number(value));
        return;
    }
    const auto read = ReadEditInteger(pDX->Items().ItemText(id).toStdString());
    if (read.has_value()) {
        value = *read;
    } else {
        pDX->Fail(id);
    }
}

void DDX_Text(CDataExchange* pDX, int id, QString& value) {
    if (pDX->Failed()) {
        return;
    }
    if (pDX->Saving()) {
        value = pDX->Items().ItemText(id);
    } else {
        WriteText(pDX->Items(), id, value);
    }
}
