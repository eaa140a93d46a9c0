#include "platform/linux/x11/XRampWriter.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/linux/x11/XErrorTrap.h"

namespace brillex::x11 {

XRampWriter::~XRampWriter() {
    for (const auto& [name, display] : displays_)
        if (display) XCloseDisplay(display);
}

XDisplay* XRampWriter::open(const std::string& name) {
    auto [it, added] = displays_.try_emplace(name, nullptr);
    if (added) it->second = XOpenDisplay(name.c_str());
    return it->second;
}

std::optional<CrtcRamp> XRampWriter::read(const SavedRamp& saved, Result& failure) {
    XDisplay* display = open(saved.displayName);
    if (!display) {
        failure = Result::unreachable;
        return std::nullopt;
    }
    std::optional<CrtcRamp> ramp = readCrtcRamp(display, saved.crtc);
    if (!ramp) failure = Result::noSuchCrtc;
    return ramp;
}

RampWriter::Result XRampWriter::write(const SavedRamp& saved) {
    XDisplay* display = open(saved.displayName);
    if (!display) return Result::unreachable;
    if (writeCrtcRamp(display, saved.crtc, saved.ramp)) return Result::written;
    XErrorTrap trap(display);
    const int size = XRRGetCrtcGammaSize(display, saved.crtc);
    if (trap.failed() || size <= 0) return Result::noSuchCrtc;
    return static_cast<std::size_t>(size) != saved.ramp.size() ? Result::otherSize : Result::refused;
}

} // namespace brillex::x11
