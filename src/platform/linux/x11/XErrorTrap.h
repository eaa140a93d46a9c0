#pragma once

#include <X11/Xlib.h>

namespace brillex::x11 {

// Catches the errors of the requests made while it lives, so that an output or
// CRTC that vanished between two calls is an answer, not Xlib's default exit.
// Xlib's handler is process-wide; everything here runs on one thread.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display) : display_(display) {
        firstError_ = 0;
        previous_ = XSetErrorHandler([](Display*, XErrorEvent* error) {
            if (firstError_ == 0) firstError_ = error->error_code;
            return 0;
        });
    }
    ~XErrorTrap() { XSetErrorHandler(previous_); }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to answer every request so far.
    bool failed() { return firstErrorCode() != 0; }
    // The code of the first error caught (BadAccess, BadValue, ...); 0 for none.
    int firstErrorCode() {
        XSync(display_, False);
        return firstError_;
    }

private:
    static inline int firstError_ = 0;
    Display* display_;
    XErrorHandler previous_;
};

} // namespace brillex::x11
