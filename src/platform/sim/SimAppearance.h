#pragma once

#include <string>

#include "base/MainLoop.h"
#include "base/Signal.h"
#include "controls/Appearance.h"
#include "platform/common/LibraryRegistry.h"

namespace brillex::sim {

// The simulated system appearance, and SkyLight's function that switches it.
// Every theme change, from the function or from outside the program, posts
// the theme notification, which observers receive on a later turn.
class SimAppearance : public Appearance {
public:
    static constexpr const char* dark = "NSAppearanceNameDarkAqua";
    static constexpr const char* light = "NSAppearanceNameAqua";
    static constexpr const char* skyLightPath = "/System/Library/PrivateFrameworks/SkyLight.framework/SkyLight";
    static constexpr const char* themeFunction = "SLSSetAppearanceThemeLegacy";

    // Light at start, with the theme function exported by SkyLight.
    SimAppearance(MainLoop& loop, platform::LibraryRegistry& libraries);

    std::optional<std::string> bestMatch(const std::vector<std::string>& names) const override;
    Subscription observeThemeChanges(std::function<void()> changed) override;

    const std::string& name() const { return name_; }
    // Switches the theme (any appearance name) and posts the notification.
    void setName(std::string name);
    void setFunctionPresent(bool present);
    // How often SkyLight's function was called.
    int functionCalls() const { return functionCalls_; }

private:
    MainLoop& loop_;
    platform::LibraryRegistry& libraries_;
    std::string name_ = light;
    int functionCalls_ = 0;
    Signal<> themeChanged_;
};

} // namespace brillex::sim
