#pragma once

#include "ui/framework/template/DialogControls.h"
#include "ui/framework/template/DialogTemplate.h"

class QWidget;

// Creates a template's controls on `dialog` with their texts translated, placed and sized from
// dialog units of the dialog's font, and sizes the dialog; a control whose text does not fit
// grows, and the dialog with it. Radio buttons form the groups the template marks; a label leads
// to the control after it (its buddy), and names the edit box right after it.
CDialogControls BuildDialogControls(const DialogTemplate& dialogTemplate, QWidget* dialog);
