#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <optional>
#include <utility>

#include "platform/linux/x11/CrtcRamp.h"
#include "support/XvfbServer.h"

namespace brillex::test {

// The server's first CRTC and the calibrated ramp it holds.
struct CalibratedCrtc {
    x11::CrtcId crtc = 0;
    x11::CrtcRamp ramp;
};

// Gives the server's output a per-channel calibration, as a colour profile
// would, so that a restore to anything else shows; opens `display` on it and
// answers the first CRTC with its ramp, or none.
inline std::optional<CalibratedCrtc> calibrateFirstCrtc(const XvfbServer& server, Display*& display) {
    if (server.run("xrandr --output " + server.output() + " --gamma 0.9:1.0:1.1") != 0) return std::nullopt;
    display = XOpenDisplay(server.display().c_str());
    if (!display) return std::nullopt;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    if (!resources) return std::nullopt;
    std::optional<x11::CrtcId> crtc;
    if (resources->ncrtc > 0) crtc = resources->crtcs[0];
    XRRFreeScreenResources(resources);
    if (!crtc) return std::nullopt;
    std::optional<x11::CrtcRamp> ramp = x11::readCrtcRamp(display, *crtc);
    if (!ramp || ramp->size() <= 1) return std::nullopt;
    return CalibratedCrtc{*crtc, std::move(*ramp)};
}

} // namespace brillex::test
