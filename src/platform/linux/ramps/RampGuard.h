#pragma once

#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::x11 {

// Keeps a CRTC's native ramp safe outside the process while a boost has
// changed it, so that the ramp comes back however the program ends.
class RampGuard {
public:
    virtual ~RampGuard() = default;

    // Called before the first write that changes `crtc` away from `native`;
    // the write waits until the ramp is kept.
    virtual void keepNative(CrtcId crtc, const CrtcRamp& native) = 0;
    // Called after `crtc` has its native ramp back.
    virtual void nativeRestored(CrtcId crtc) = 0;
};

} // namespace brillex::x11
