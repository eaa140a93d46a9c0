#pragma once

#include "boost/ScreenServices.h"

namespace brillex::macos {

// AppKit's screens with Core Graphics' display numbers.
class MacScreens : public ScreenServices {
public:
    std::vector<Screen> screens() const override;
    bool isBuiltIn(DisplayId id) const override;
    DisplayId mainDisplay() const override;
    std::optional<Screen> mainScreen() const override;
    Subscription observeScreenChanges(std::function<void()> changed) override;
};

} // namespace brillex::macos
