#include "platform/linux/x11/XCrtcRamps.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/linux/x11/XErrorTrap.h"

namespace brillex::x11 {

std::optional<CrtcId> XCrtcRamps::crtcOf(std::uint32_t output) {
    if (const auto known = crtcs_.find(output); known != crtcs_.end()) return known->second;
    // A question the server could not answer is asked again next time.
    std::optional<CrtcId> crtc = askCrtcOf(output);
    if (crtc) crtcs_[output] = crtc;
    return crtc;
}

std::optional<CrtcId> XCrtcRamps::askCrtcOf(std::uint32_t output) {
    Display* display = connection_.display();
    XErrorTrap trap(display);
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, connection_.rootWindow());
    if (!resources) return std::nullopt;
    std::optional<CrtcId> crtc;
    if (XRROutputInfo* info = XRRGetOutputInfo(display, resources, output)) {
        if (info->crtc != None) crtc = info->crtc;
        XRRFreeOutputInfo(info);
    }
    XRRFreeScreenResources(resources);
    if (trap.failed()) return std::nullopt;
    return crtc;
}

} // namespace brillex::x11
