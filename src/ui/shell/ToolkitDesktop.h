#pragma once

#include <optional>
#include <span>
#include <string>

#include "platform/common/NativePlatform.h"

namespace brillex {

// Asked before Qt starts by a simulated start (a native one learns it from
// opening its platform): Qt aborts when its platform plugin finds no
// display, so the program says so in one line first.
class ToolkitDesktop {
public:
    // None when Qt will have somewhere to draw: a plugin that needs no
    // display (`qpaPlatform`, as QT_QPA_PLATFORM gives it; null when unset),
    // or a desktop one of `entries` finds. Else why not, in one line.
    static std::optional<std::string> missing(std::span<const platform::NativePlatformEntry> entries,
                                              const char* qpaPlatform);
};

} // namespace brillex
