#pragma once

#include "keys/AccessibilityTrust.h"

namespace brillex::x11 {

// X11 has no permission for watching input: every client may grab keys, so
// the program is always trusted and no request is ever shown.
class X11AccessibilityTrust : public AccessibilityTrust {
public:
    bool isProcessTrusted(bool) override { return true; }
};

} // namespace brillex::x11
