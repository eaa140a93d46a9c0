#pragma once

#include <QMetaObject>

#include <memory>
#include <set>

#include "base/MainLoop.h"
#include "base/Signal.h"
#include "boost/ScreenServices.h"
#include "platform/linux/ScreenOutputs.h"
#include "platform/linux/x11/RandrLayout.h"
#include "platform/linux/x11/X11Connection.h"

class QSocketNotifier;

namespace brillex::x11 {

// The screens of an X display: its RandR outputs that are connected and
// driven by a CRTC. Every question reads the server afresh; configuration
// changes reach observers once per burst of RandR events.
class X11Screens : public ScreenServices, public ScreenOutputs {
public:
    // A burst of RandR events is over when none came for this long.
    static constexpr double kQuietSeconds = 0.25;

    X11Screens(X11Connection& connection, MainLoop& loop, ScreenRules rules);
    ~X11Screens() override;

    std::vector<Screen> screens() const override;
    bool isBuiltIn(DisplayId id) const override;
    DisplayId mainDisplay() const override;
    std::optional<Screen> mainScreen() const override;
    Subscription observeScreenChanges(std::function<void()> changed) override;
    std::vector<ScreenOutput> screenOutputs() const override;
    // Told at once of every RandR event read, ahead of the settled notice.
    [[nodiscard]] Subscription observeRandrEvents(std::function<void()> event) { return randrEvent_.connect(std::move(event)); }

    // What the server says now.
    RandrLayout readLayout() const;
    // The screens of what the server says now; an unreadable EDID is logged once.
    ScreenLayout layout() const;

    // XDG_SESSION_TYPE says wayland, or WAYLAND_DISPLAY is set.
    static bool isWaylandSession();

private:
    std::optional<RandrLayout> readLayoutOnce() const;
    void readEvents(bool fromSocket);

    X11Connection& connection_;
    MainLoop& loop_;
    ScreenRules rules_;
    mutable std::set<DisplayId> reportedEdids_;
    Signal<> changed_;
    Signal<> randrEvent_;
    Timer settle_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection idleHook_;
};

} // namespace brillex::x11
