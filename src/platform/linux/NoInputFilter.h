#pragma once

#include "keys/AccessibilityTrust.h"
#include "keys/EventTap.h"

namespace brillex::x11 {

// Until the brightness keys are grabbed natively: the program is not trusted
// to filter input, and no tap is granted.
class NoInputFilter : public AccessibilityTrust, public EventTapService {
public:
    bool isProcessTrusted(bool) override { return false; }
    std::unique_ptr<EventTap> createTap(std::uint64_t, TapFilter) override { return nullptr; }
};

} // namespace brillex::x11
