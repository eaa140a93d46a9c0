#pragma once

#include <string>
#include <utility>

#include "boost/ScreenServices.h"

namespace brillex::test {

// A numbered screen whose reference headroom equals its potential and whose
// visible frame is its frame.
inline Screen screenOf(DisplayId id, std::string name, double potential, Rect frame = Rect{0, 0, 1440, 900}) {
    Screen screen;
    screen.displayId = id;
    screen.name = std::move(name);
    screen.maxPotentialEDR = potential;
    screen.maxReferenceEDR = potential;
    screen.frame = frame;
    screen.visibleFrame = frame;
    return screen;
}

} // namespace brillex::test
