#pragma once

#include <string>

#include "keys/EventTap.h"

namespace brillex::x11 {

// Event taps over X key grabs. Each tap opens its own connection to the X
// server, so the grabs last exactly as long as the tap.
class KeyGrabTapService : public EventTapService {
public:
    // `displayName` as XOpenDisplay takes it; empty for $DISPLAY.
    explicit KeyGrabTapService(std::string displayName = {});

    // Only system-defined events exist here, and of those only the two
    // brightness keys; null, with a log line, when they cannot be grabbed.
    std::unique_ptr<EventTap> createTap(std::uint64_t eventMask, TapFilter filter) override;

private:
    std::string displayName_;
};

} // namespace brillex::x11
