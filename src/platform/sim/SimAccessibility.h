#pragma once

#include "keys/AccessibilityTrust.h"

namespace brillex::sim {

// The simulated accessibility trust: a switch, and a count of the system's
// requests shown to the user.
class SimAccessibility : public AccessibilityTrust {
public:
    bool isProcessTrusted(bool prompt) override;

    void setTrusted(bool trusted) { trusted_ = trusted; }
    bool trusted() const { return trusted_; }
    // How many times the system's request was shown.
    int promptCount() const { return prompts_; }

private:
    bool trusted_ = true;
    int prompts_ = 0;
};

} // namespace brillex::sim
