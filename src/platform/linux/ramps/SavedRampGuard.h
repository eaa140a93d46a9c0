#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/linux/ramps/RampGuard.h"
#include "platform/linux/ramps/RampStore.h"
#include "platform/linux/x11/X11Connection.h"

namespace brillex::x11 {

// Keeps the native ramps of one X display in the ramp store while they are
// changed, where this process's guardian (or the next start) finds them.
class SavedRampGuard : public RampGuard {
public:
    SavedRampGuard(RampStore store, std::string displayName);

    // The program's guard for its display, in the default store, after what
    // an abandoned earlier run left there is restored; before anything reads
    // a ramp, so that a leftover boost is never taken for the native ramp.
    static std::unique_ptr<SavedRampGuard> recoveredFor(const X11Connection& connection);

    // Writes back what an earlier run left saved for this display when both
    // its program and its guardian have died; returns how many ramps.
    int recoverAbandoned();

    void keepNative(CrtcId crtc, const CrtcRamp& native) override;
    void nativeRestored(CrtcId crtc) override;

private:
    RampStore store_;
    std::string displayName_;
    std::map<CrtcId, std::string> kept_;  // CRTC -> its saved file
};

} // namespace brillex::x11
