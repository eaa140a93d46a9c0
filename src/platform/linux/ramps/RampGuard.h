#pragma once

#include <optional>
#include <string>

#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::x11 {

// Keeps a CRTC's native ramp safe outside the process while a boost has
// changed it, so that the ramp comes back however the program ends.
class RampGuard {
public:
    virtual ~RampGuard() = default;

    // Why a native ramp could not be kept safe now, and what to do about it;
    // none when it can. Asked before a boost starts.
    virtual std::optional<std::string> whyUnprotected() = 0;
    // Called before the first write that changes `crtc` away from `native`;
    // the write waits until the ramp is kept, and does not happen when this
    // answers false.
    virtual bool keepNative(CrtcId crtc, const CrtcRamp& native) = 0;
    // Called before each write of a ramp other than the native one.
    virtual void willShow(CrtcId crtc, const CrtcRamp& ramp) = 0;
    // Called after `crtc` has its native ramp back.
    virtual void nativeRestored(CrtcId crtc) = 0;
};

} // namespace brillex::x11
