#include "ui/shell/GlobalCoordinates.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace brillex {
namespace {

// The y of the primary screen's bottom edge in Qt's coordinates.
double flipLine() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary) return 0.0;
    const QRect geometry = primary->geometry();
    return static_cast<double>(geometry.y()) + geometry.height();
}

// Rounds to a pixel position Qt can hold; out-of-range or NaN input lands at
// the nearest representable edge instead of overflowing.
int toPixel(double value) {
    constexpr double limit = 1 << 24;
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -limit, limit)));
}

} // namespace

QRect toQtGeometry(const Rect& rect) {
    const int width = std::max(0, toPixel(rect.width));
    const int height = std::max(0, toPixel(rect.height));
    return QRect(toPixel(rect.x), toPixel(flipLine() - rect.y - rect.height), width, height);
}

Rect fromQtGeometry(const QRect& geometry) {
    const double height = geometry.height();
    return Rect{static_cast<double>(geometry.x()), flipLine() - geometry.y() - height,
                static_cast<double>(geometry.width()), height};
}

} // namespace brillex
