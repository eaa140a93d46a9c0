#include "keys/BrightnessOSDView.h"

#include <algorithm>
#include <cmath>

namespace brillex {

std::string BrightnessOSDView::text() const {
    double percent = level * (isXDR ? 200.0 : 100.0);
    // The integer conversion must stay defined for any level a caller passes.
    percent = std::isnan(percent) ? 0.0 : std::clamp(percent, -1e15, 1e15);
    const auto whole = static_cast<long long>(percent);
    return (isXDR ? "+" : "") + std::to_string(whole) + "%";
}

} // namespace brillex
