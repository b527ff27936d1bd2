#pragma once

#include "ui/framework/DialogControls.h"

#include <vector>

class QWidget;

// How wide a control must be, in pixels, for its text to show whole in its font and style;
// 0 for a control that shows no text.
int WidthForText(const QWidget* control);

// Widens every control of a freshly built dialog whose text does not fit: the space it needs is
// inserted as a strip at its right edge, so whatever lies right of that edge moves over, what
// spans it widens, and the dialog grows by as much. Controls whose text fits keep their place.
void FitControlsToText(const std::vector<DialogControl>& controls, QWidget* dialog);
