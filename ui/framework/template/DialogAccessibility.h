#pragma once

#include "ui/framework/template/DialogControls.h"

#include <QString>
#include <vector>

class QWidget;

// A control's text as assistive technology should say it: without the access-key marks.
QString WithoutAccessKeyMarks(const QString& text);

// Gives the roles Qt cannot tell from the widgets' classes: the picture is a graphic, a
// horizontal line a separator, a panel holding a radio group a grouping. Once per process.
void InstallAccessibleRoles();

// Puts each radio group's buttons into the group box around them, or into a panel named after
// the label before the group, so that assistive technology finds the group of every button.
void PlaceRadioGroups(const std::vector<DialogControl>& controls,
                      const std::vector<RadioGroup>& groups, QWidget* dialog);

// A label that starts where an edit box ends, on its row, shows the box's unit: it becomes the
// box's accessible description, here and whenever the label's text changes.
void LinkUnitLabels(std::vector<DialogControl>& controls);
