#include "platform/linux/XErrorTrap.h"

#include <X11/Xlib.h>

namespace brillex::x11 {
namespace {

int firstError = 0;

int recordError(Display*, XErrorEvent* error) {
    if (firstError == 0) firstError = error->error_code;
    return 0;
}

} // namespace

XErrorTrap::XErrorTrap(XDisplay* display) : display_(display) {
    firstError = 0;
    previous_ = reinterpret_cast<Handler>(XSetErrorHandler(recordError));
}

XErrorTrap::~XErrorTrap() {
    XSetErrorHandler(reinterpret_cast<XErrorHandler>(previous_));
}

bool XErrorTrap::failed() {
    return firstErrorCode() != 0;
}

int XErrorTrap::firstErrorCode() {
    XSync(display_, False);
    return firstError;
}

} // namespace brillex::x11
