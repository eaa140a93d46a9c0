#pragma once

#include <QRect>

#include "boost/ScreenServices.h"

namespace brillex {

// The core places windows in global coordinates with the origin at the bottom
// left of the primary screen, y growing upwards; Qt places them from the top
// left, y growing downwards. These convert between the two about the primary
// screen's height.
QRect toQtGeometry(const Rect& rect);
Rect fromQtGeometry(const QRect& geometry);

} // namespace brillex
