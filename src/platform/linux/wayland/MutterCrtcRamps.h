#pragma once

#include <map>

#include "platform/linux/ramps/CrtcRamps.h"
#include "platform/linux/wayland/MutterDisplayConfig.h"

namespace brillex::wayland {

// The CRTC ramps of GNOME's display configuration; a CRTC is named by
// Mutter's id for it. Mutter writes ramps of its own when Night Light, a
// colour profile or (since 47) any monitor change asks for it: after each
// MonitorsChanged, a ramp of ours that Mutter replaced is written again.
class MutterCrtcRamps : public x11::CrtcRamps {
public:
    explicit MutterCrtcRamps(MutterDisplayConfig& config) : config_(config) {}

    std::optional<x11::CrtcId> crtcOf(std::uint32_t output) override;
    std::optional<x11::CrtcRamp> read(x11::CrtcId crtc) override;
    bool write(x11::CrtcId crtc, const x11::CrtcRamp& ramp) override;

    // Puts back every ramp of ours that Mutter has replaced.
    void reapply();

    // The display id of an output: a hash of its connector name, which stays
    // across reconfigurations and sessions, never 0.
    static std::uint32_t displayIdOf(const std::string& connector);

private:
    struct Held {
        x11::CrtcRamp native;  // what the CRTC showed before the first ramp of ours
        x11::CrtcRamp ours;
    };

    MutterDisplayConfig& config_;
    std::map<x11::CrtcId, Held> held_;
};

} // namespace brillex::wayland
