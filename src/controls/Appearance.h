#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Signal.h"

namespace brillex {

// The application's effective appearance, and the system-wide theme change.
class Appearance {
public:
    virtual ~Appearance() = default;

    // The appearance name among `names` (in order of preference) that best
    // matches the effective appearance; nothing when none matches.
    virtual std::optional<std::string> bestMatch(const std::vector<std::string>& names) const = 0;
    // The distributed "AppleInterfaceThemeChangedNotification" from any
    // sender, delivered on the main queue.
    [[nodiscard]] virtual Subscription observeThemeChanges(std::function<void()> changed) = 0;
};

} // namespace brillex
