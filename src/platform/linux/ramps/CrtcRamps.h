#pragma once

#include <cstdint>
#include <optional>

#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::x11 {

// Where the displays' ramps live: which CRTC drives a display, and that
// CRTC's ramp read and written.
class CrtcRamps {
public:
    virtual ~CrtcRamps() = default;

    // The CRTC driving the output with this id; none when it has none.
    virtual std::optional<CrtcId> crtcOf(std::uint32_t output) = 0;
    virtual std::optional<CrtcRamp> read(CrtcId crtc) = 0;
    // Applied by the time it returns; false when refused.
    virtual bool write(CrtcId crtc, const CrtcRamp& ramp) = 0;
};

} // namespace brillex::x11
