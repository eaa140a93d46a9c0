#include "platform/linux/CrtcRamp.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>

namespace brillex::x11 {

namespace {

// Catches the errors of the requests made while it lives, so that a CRTC that
// vanished between two calls is an answer, not Xlib's default exit. Xlib's
// handler is process-wide; everything here runs on one thread.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        failed_ = false;
        previous_ = XSetErrorHandler([](Display*, XErrorEvent*) {
            failed_ = true;
            return 0;
        });
    }
    ~ErrorTrap() { XSetErrorHandler(previous_); }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Waits for the server to answer every request so far.
    bool failed() {
        XSync(display_, False);
        return failed_;
    }

private:
    static inline bool failed_ = false;
    Display* display_;
    XErrorHandler previous_;
};

} // namespace

std::optional<CrtcRamp> readCrtcRamp(XDisplay* display, CrtcId crtc) {
    ErrorTrap trap(display);
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
    ErrorTrap trap(display);
    if (XRRGetCrtcGammaSize(display, crtc) != static_cast<int>(size) || trap.failed()) return false;
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
