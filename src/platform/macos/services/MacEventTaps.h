#pragma once

#include "keys/EventTap.h"

namespace brillex::macos {

// Core Graphics event taps at the HID level, ahead of every other tap. Each
// tap's filter runs on the main run loop; what it swallows reaches nobody.
class MacEventTaps : public EventTapService {
public:
    std::unique_ptr<EventTap> createTap(std::uint64_t eventMask, TapFilter filter) override;
};

} // namespace brillex::macos
