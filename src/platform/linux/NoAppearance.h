#pragma once

#include "controls/Appearance.h"

namespace brillex::x11 {

// Until the desktop's theme is read: no appearance matches, no change is told.
class NoAppearance : public Appearance {
public:
    std::optional<std::string> bestMatch(const std::vector<std::string>&) const override { return std::nullopt; }
    Subscription observeThemeChanges(std::function<void()>) override { return {}; }
};

} // namespace brillex::x11
