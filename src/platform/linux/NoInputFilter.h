#pragma once

#include "keys/EventTap.h"

namespace brillex::x11 {

// Until the brightness keys are grabbed natively: no tap is granted.
class NoInputFilter : public EventTapService {
public:
    std::unique_ptr<EventTap> createTap(std::uint64_t, TapFilter) override { return nullptr; }
};

} // namespace brillex::x11
