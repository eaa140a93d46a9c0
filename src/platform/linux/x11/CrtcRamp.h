#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// Xlib's types, named without its headers (whose macros clash with ordinary names).
struct _XDisplay;

namespace brillex::x11 {

using XDisplay = _XDisplay;
using CrtcId = unsigned long;  // RRCrtc

// A CRTC's gamma ramp exactly as the X server holds it: one 16-bit entry per
// step and channel, all three channels of the same size.
struct CrtcRamp {
    std::vector<std::uint16_t> red;
    std::vector<std::uint16_t> green;
    std::vector<std::uint16_t> blue;

    std::size_t size() const { return red.size(); }
    bool operator==(const CrtcRamp&) const = default;
};

// The CRTC's current ramp; none when the CRTC has no ramp or the server refuses.
std::optional<CrtcRamp> readCrtcRamp(XDisplay* display, CrtcId crtc);

// Installs `ramp`, which must have the CRTC's ramp size; false when the size
// does not match or the server refuses. Synchronous: the server has applied
// it when this returns.
bool writeCrtcRamp(XDisplay* display, CrtcId crtc, const CrtcRamp& ramp);

} // namespace brillex::x11
