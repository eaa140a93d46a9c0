#pragma once

#include <string>

#include "boost/ScreenServices.h"

namespace brillex {

// One attached screen as discovery found it; a plain value.
struct DisplayInfo {
    DisplayId id = 0;
    std::string name;         // as the system gives it, mixed case
    bool isBuiltIn = false;
    double maxEDR = 1.0;      // largest component value the screen can ever show
    bool supportsXDR = false; // maxEDR > 1.0
};

} // namespace brillex
