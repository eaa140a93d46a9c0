#pragma once

#include <string>

#include "boost/DisplayInfo.h"
#include "platform/sim/SimComputer.h"

namespace brillex::test {

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

inline DisplayInfo infoOf(DisplayId id, std::string name, bool builtIn, double maxEDR = 16.0) {
    return DisplayInfo{id, std::move(name), builtIn, maxEDR, maxEDR > 1.0};
}

} // namespace brillex::test
