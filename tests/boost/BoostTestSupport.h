#pragma once

#include <string>

#include "boost/DisplayInfo.h"
#include "platform/sim/SimComputer.h"
#include "support/TestScreens.h"

namespace brillex::test {

inline DisplayInfo infoOf(DisplayId id, std::string name, bool builtIn, double maxEDR = 16.0) {
    return DisplayInfo{id, std::move(name), builtIn, maxEDR, maxEDR > 1.0};
}

} // namespace brillex::test
