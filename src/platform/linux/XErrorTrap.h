#pragma once

#include "platform/linux/CrtcRamp.h"

namespace brillex::x11 {

// Catches the errors of the requests made while it lives, so that a refused
// request is an answer, not Xlib's default exit. Xlib's handler is
// process-wide; everything here runs on one thread.
class XErrorTrap {
public:
    explicit XErrorTrap(XDisplay* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server to answer every request so far.
    bool failed();
    // The code of the first error caught (BadAccess, BadValue, ...); 0 for none.
    int firstErrorCode();

private:
    using Handler = int (*)(XDisplay*, void*);

    XDisplay* display_;
    Handler previous_;
};

} // namespace brillex::x11
