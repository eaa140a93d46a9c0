#pragma once

#include "platform/linux/wayland/MutterDisplayConfig.h"
#include "platform/linux/x11/LayoutScreens.h"

namespace brillex::wayland {

// The monitors of GNOME's display configuration as the program's screens:
// each output driven by a CRTC, named by its EDID, framed by its CRTC, with
// the headroom its CRTC's ramp gives. A configuration without any such ramp
// (a headless session's virtual monitors) is reported once.
class MutterScreens : public x11::LayoutScreens {
public:
    MutterScreens(MutterDisplayConfig& config, MainLoop& loop, x11::ScreenRules rules)
        : LayoutScreens(loop, std::move(rules)), config_(config) {}

    x11::RandrLayout readLayout() const override;
    // MonitorsChanged arrived.
    void monitorsChanged() { changeArrived(); }

private:
    MutterDisplayConfig& config_;
    mutable bool reportedNoRamp_ = false;
};

} // namespace brillex::wayland
