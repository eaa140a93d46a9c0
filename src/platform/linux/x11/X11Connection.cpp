#include "platform/linux/x11/X11Connection.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdlib>

namespace brillex::x11 {

namespace {

// The display named, or the reason it cannot be opened.
std::variant<Display*, std::string> openDisplay(const std::string& displayName) {
    const char* requested = displayName.empty() ? std::getenv("DISPLAY") : displayName.c_str();
    if (!requested || !*requested) return std::string("no X display (DISPLAY is not set)");
    Display* display = XOpenDisplay(requested);
    if (!display) return std::string("cannot open the X display ") + requested;
    return display;
}

} // namespace

std::variant<std::unique_ptr<X11Connection>, std::string> X11Connection::open(const std::string& displayName) {
    auto opened = openDisplay(displayName);
    if (auto* missing = std::get_if<std::string>(&opened)) return std::move(*missing);
    Display* display = std::get<Display*>(opened);
    const std::string requested = DisplayString(display);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor) ||
        major < 1 || (major == 1 && minor < 2)) {
        XCloseDisplay(display);
        return std::string("the X display ") + requested + " has no RandR 1.2 or later";
    }
    return std::unique_ptr<X11Connection>(new X11Connection(display, DefaultRootWindow(display), eventBase));
}

std::optional<std::string> X11Connection::reach(const std::string& displayName) {
    auto opened = openDisplay(displayName);
    if (auto* missing = std::get_if<std::string>(&opened)) return std::move(*missing);
    XCloseDisplay(std::get<Display*>(opened));
    return std::nullopt;
}

X11Connection::~X11Connection() {
    XCloseDisplay(display_);
}

int X11Connection::fileDescriptor() const {
    return ConnectionNumber(display_);
}

} // namespace brillex::x11
