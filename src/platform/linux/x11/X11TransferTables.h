#pragma once

#include <map>
#include <vector>

#include "boost/TransferTables.h"
#include "platform/linux/ramps/CrtcRamps.h"
#include "platform/linux/ramps/RampGuard.h"

namespace brillex::x11 {

// The core's transfer tables on the CRTC gamma ramps of an X server. Tables
// are resampled to and from each CRTC's ramp size; restoring is bit-exact:
// the table handed out at capture writes back the very ramp it was read from.
// A CRTC whose native ramp the guard cannot keep is neither captured nor changed.
class X11TransferTables : public TransferTables {
public:
    static constexpr int kFailure = 1000;

    // `guard` (may be null) learns of each CRTC while it is away from its native ramp.
    X11TransferTables(CrtcRamps& ramps, RampGuard* guard) : ramps_(ramps), guard_(guard) {}

    int getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                         std::uint32_t& sampleCount) override;
    int setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                         const float* blue) override;
    std::string whyUnprotected() const override { return whyUnprotected_; }

private:
    struct Capture {
        CrtcId crtc = 0;
        CrtcRamp native;
        std::vector<float> red, green, blue;
    };

    bool isHandedOut(const Capture& capture, std::uint32_t count, const float* red, const float* green,
                     const float* blue) const;
    // The native ramp of a CRTC: kept while it is changed, else what it holds now.
    std::optional<CrtcRamp> nativeRamp(CrtcId crtc);

    CrtcRamps& ramps_;
    RampGuard* guard_;
    std::map<DisplayId, Capture> captures_;
    // CRTCs that hold a ramp of ours, with the native ramp each had before.
    std::map<CrtcId, CrtcRamp> changed_;
    std::string whyUnprotected_;
};

} // namespace brillex::x11
