#include "platform/linux/x11/CrtcRamp.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

#include "platform/linux/x11/XErrorTrap.h"

namespace brillex::x11 {

std::optional<CrtcRamp> readCrtcRamp(XDisplay* display, CrtcId crtc) {
    XErrorTrap trap(display);
    const int size = XRRGetCrtcGammaSize(display, crtc);
    if (trap.failed() || size <= 0) return std::nullopt;
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, crtc);
    if (trap.failed() || !gamma) return std::nullopt;
    CrtcRamp ramp;
    if (gamma->size == size) {
        ramp.red.assign(gamma->red, gamma->red + size);
        ramp.green.assign(gamma->green, gamma->green + size);
        ramp.blue.assign(gamma->blue, gamma->blue + size);
    }
    XRRFreeGamma(gamma);
    if (ramp.red.empty()) return std::nullopt;
    return ramp;
}

bool writeCrtcRamp(XDisplay* display, CrtcId crtc, const CrtcRamp& ramp) {
    const std::size_t size = ramp.size();
    if (size == 0 || ramp.green.size() != size || ramp.blue.size() != size) return false;
    // The server refuses a ramp of another size than the CRTC's; one round
    // trip does for both the write and that answer.
    XErrorTrap trap(display);
    XRRCrtcGamma* gamma = XRRAllocGamma(static_cast<int>(size));
    if (!gamma) return false;
    std::copy(ramp.red.begin(), ramp.red.end(), gamma->red);
    std::copy(ramp.green.begin(), ramp.green.end(), gamma->green);
    std::copy(ramp.blue.begin(), ramp.blue.end(), gamma->blue);
    XRRSetCrtcGamma(display, crtc, gamma);
    XRRFreeGamma(gamma);
    return !trap.failed();
}

} // namespace brillex::x11
