#pragma once

#include <X11/Xlib.h>

namespace brillex::x11 {

// Catches the errors of the requests made while it lives, so that an output or
// CRTC that vanished between two calls is an answer, not Xlib's default exit.
// Xlib's handler is process-wide; everything here runs on one thread.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display_(display) {
        failed_ = false;
        previous_ = XSetErrorHandler([](Display*, XErrorEvent*) {
            failed_ = true;
            return 0;
        });
    }
    ~XErrorTrap() { XSetErrorHandler(previous_); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

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

} // namespace brillex::x11
