#pragma once

#include <string>

namespace brillex {

// What the brightness panel draws: a sun symbol, a bar `level` long and a
// percentage; the XDR presentation (orange, "+" percentage spanning 0 to
// 200) is for the boost.
struct BrightnessOSDView {
    double level = 0.0;  // 0.0 to 1.0
    bool isXDR = false;

    // "98%" for a plain 0.9825, "+100%" for an XDR 0.5: the fraction is dropped.
    std::string text() const;

    bool operator==(const BrightnessOSDView&) const = default;
};

} // namespace brillex
