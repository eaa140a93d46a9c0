#include "platform/linux/services/KeyGrabTapService.h"

#include "base/Log.h"
#include "keys/KeyboardManager.h"
#include "platform/linux/services/KeyGrabTap.h"

#include <X11/Xlib.h>

namespace brillex::x11 {

KeyGrabTapService::KeyGrabTapService(std::string displayName) : displayName_(std::move(displayName)) {}

std::unique_ptr<EventTap> KeyGrabTapService::createTap(std::uint64_t eventMask, TapFilter filter) {
    if ((eventMask & KeyboardManager::kEventMask) == 0) return nullptr;
    XDisplay* display = XOpenDisplay(displayName_.empty() ? nullptr : displayName_.c_str());
    if (!display) {
        logLine("KeyGrab: cannot open the X display for the brightness keys");
        return nullptr;
    }
    auto tap = std::make_unique<KeyGrabTap>(display, std::move(filter));
    if (const auto result = tap->grab(); result != KeyGrabTap::Grab::held) {
        logLine(KeyGrabTap::describe(result));
        return nullptr;
    }
    return tap;
}

} // namespace brillex::x11
