#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boost/ScreenServices.h"

namespace brillex {

// The monitor behind an attached screen as its display layer names it: the
// connector ("DP-1", as RandR or the compositor calls it) and the EDID it
// read, by which the same monitor is found on other paths (its I2C bus, its
// kernel backlight device).
struct ScreenOutput {
    DisplayId id = 0;
    std::string connector;
    std::vector<std::uint8_t> edid;  // empty when the layer gives none
    bool builtIn = false;
};

class ScreenOutputs {
public:
    virtual ~ScreenOutputs() = default;
    // One entry per attached screen, as screens() lists them.
    virtual std::vector<ScreenOutput> screenOutputs() const = 0;
};

} // namespace brillex
