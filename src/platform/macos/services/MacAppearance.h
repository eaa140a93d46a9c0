#pragma once

#include "controls/Appearance.h"

namespace brillex::macos {

// The application's effective appearance, and the distributed notification
// the system posts when the user switches between light and dark.
class MacAppearance : public Appearance {
public:
    std::optional<std::string> bestMatch(const std::vector<std::string>& names) const override;
    Subscription observeThemeChanges(std::function<void()> changed) override;
};

} // namespace brillex::macos
