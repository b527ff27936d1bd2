#pragma once

#include <QRect>

class QFontMetrics;

// The size of a dialog unit for a dialog font: a horizontal unit is a quarter of the font's
// average character width, a vertical unit an eighth of its height. Measured once per font, as
// measuring the average width lays out text.
struct DialogUnitBase {
    explicit DialogUnitBase(const QFontMetrics& metrics);

    double x;
    double y;
};

// Converts a rectangle in dialog units to pixels.
QRect DialogUnitsToPixels(const QRect& units, const DialogUnitBase& base);
QRect DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics);
