#pragma once

#include <QMetaObject>

#include <memory>

#include "platform/linux/x11/LayoutScreens.h"
#include "platform/linux/x11/X11Connection.h"

class QSocketNotifier;

namespace brillex::x11 {

// The screens of an X display: its RandR outputs that are connected and
// driven by a CRTC. Every question reads the server afresh; configuration
// changes reach observers once per burst of RandR events.
class X11Screens : public LayoutScreens {
public:
    X11Screens(X11Connection& connection, MainLoop& loop, ScreenRules rules);
    ~X11Screens() override;

    // Told at once of every RandR event read, ahead of the settled notice.
    [[nodiscard]] Subscription observeRandrEvents(std::function<void()> event) { return randrEvent_.connect(std::move(event)); }

    // What the server says now.
    RandrLayout readLayout() const override;

    // XDG_SESSION_TYPE says wayland, or WAYLAND_DISPLAY is set.
    static bool isWaylandSession();

private:
    std::optional<RandrLayout> readLayoutOnce() const;
    void readEvents(bool fromSocket);

    X11Connection& connection_;
    Signal<> randrEvent_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection idleHook_;
};

} // namespace brillex::x11
