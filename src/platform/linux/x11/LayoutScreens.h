#pragma once

#include <set>

#include "base/MainLoop.h"
#include "base/Signal.h"
#include "boost/ScreenServices.h"
#include "platform/linux/ScreenOutputs.h"
#include "platform/linux/x11/RandrLayout.h"

namespace brillex::x11 {

// Screen services over a display layer that describes its outputs as a
// RandrLayout: every question reads the layer afresh, and changes reach
// observers once per burst. The outputs' connectors and EDIDs find each
// monitor's other paths (its I2C bus, a kernel backlight device).
class LayoutScreens : public ScreenServices, public ScreenOutputs {
public:
    // A burst of change events is over when none came for this long.
    static constexpr double kQuietSeconds = 0.25;

    LayoutScreens(MainLoop& loop, ScreenRules rules) : loop_(loop), rules_(std::move(rules)) {}

    std::vector<Screen> screens() const override;
    bool isBuiltIn(DisplayId id) const override;
    DisplayId mainDisplay() const override;
    std::optional<Screen> mainScreen() const override;
    Subscription observeScreenChanges(std::function<void()> changed) override;
    std::vector<ScreenOutput> screenOutputs() const override;

    // What the display layer says now.
    virtual RandrLayout readLayout() const = 0;
    // The screens of what the layer says now; an unreadable EDID is logged once.
    ScreenLayout layout() const;

protected:
    // A change event arrived: observers hear of it once the burst is over.
    void changeArrived();
    const ScreenRules& rules() const { return rules_; }

private:
    MainLoop& loop_;
    ScreenRules rules_;
    mutable std::set<DisplayId> reportedEdids_;
    mutable bool reportedPanelName_ = false;
    Signal<> changed_;
    Timer settle_;
};

} // namespace brillex::x11
