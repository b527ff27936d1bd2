#pragma once

#include "ui/framework/template/DialogControls.h"

#include <QString>
#include <vector>

class QWidget;

// The text a control shows: a label's, a button's, a group box's title; empty for the others.
QString ControlText(const QWidget* control);

// How wide a control must be, in pixels, for its text to show whole in its font and style;
// 0 for a control that shows no text.
int WidthForText(const QWidget* control);

// Refits a freshly built dialog whose texts are translated: every control whose text does not
// fit is widened by a strip inserted at its right edge, so whatever lies right of that edge
// moves over, what spans it widens, and the dialog grows by as much. A dialog showing the
// template's own texts keeps the template's geometry as it was laid out.
void FitControlsToText(const std::vector<DialogControl>& controls, QWidget* dialog);
