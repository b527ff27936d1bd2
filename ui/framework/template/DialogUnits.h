#pragma once

#include <QRect>

class QFontMetrics;

// Converts a rectangle in dialog units to pixels for a dialog font: a horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth of its height.
QRect DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics);
