#include "ui/framework/template/DialogUnits.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>
#include <cmath>

namespace {

// The average width is taken over the 52 Latin letters, as dialog layouts have always done.
double AverageCharacterWidth(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(
               QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
           52.0;
}

int Scale(int units, double base, int divisor) {
    return static_cast<int>(std::lround(units * base / divisor));
}

} // namespace

DialogUnitBase::DialogUnitBase(const QFontMetrics& metrics)
    : x(AverageCharacterWidth(metrics)), y(metrics.height()) {}

QRect DialogUnitsToPixels(const QRect& units, const DialogUnitBase& base) {
    const int left = Scale(units.x(), base.x, 4);
    const int top = Scale(units.y(), base.y, 8);
    const int right = Scale(units.x() + units.width(), base.x, 4);
    const int bottom = Scale(units.y() + units.height(), base.y, 8);
    return {left, top, std::max(right - left, 1), std::max(bottom - top, 1)};
}

QRect DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics) {
    return DialogUnitsToPixels(units, DialogUnitBase(metrics));
}
