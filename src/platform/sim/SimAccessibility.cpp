#include "platform/sim/SimAccessibility.h"

namespace brillex::sim {

bool SimAccessibility::isProcessTrusted(bool prompt) {
    // The system shows its request only to a program it does not trust yet.
    if (prompt && !trusted_) ++prompts_;
    return trusted_;
}

} // namespace brillex::sim
