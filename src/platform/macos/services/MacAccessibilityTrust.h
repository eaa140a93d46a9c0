#pragma once

#include "keys/AccessibilityTrust.h"

namespace brillex::macos {

// The Accessibility permission of System Settings' Privacy & Security.
class MacAccessibilityTrust : public AccessibilityTrust {
public:
    bool isProcessTrusted(bool prompt) override;
};

} // namespace brillex::macos
