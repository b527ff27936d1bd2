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

QRect DialogUnitsToPixels(const QRect& units, const QFontMetrics& metrics) {
    const double baseX = AverageCharacterWidth(metrics);
    const double baseY = metrics.height();
    const int left = Scale(units.x(), baseX, 4);
    const int top = Scale(units.y(), baseY, 8);
    const int right = Scale(units.x() + units.width(), baseX, 4);
    const int bottom = Scale(units.y() + units.height(), baseY, 8);
    return {left, top, std::max(right - left, 1), std::max(bottom - top, 1)};
}
