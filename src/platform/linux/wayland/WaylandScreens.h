#pragma once

#include <QMetaObject>

#include <memory>

#include "platform/linux/wayland/WaylandConnection.h"
#include "platform/linux/x11/LayoutScreens.h"

class QSocketNotifier;

namespace brillex::wayland {

// The outputs of a wlroots compositor as the program's screens: ids are the
// outputs' registry names, frames their logical places (xdg_output), names
// the monitor model the compositor read from the EDID, else the connector.
// A gamma ramp can lift every output while the compositor offers gamma
// control; whether one really takes it shows when its boost starts.
class WaylandScreens : public x11::LayoutScreens {
public:
    WaylandScreens(WaylandConnection& connection, MainLoop& loop, x11::ScreenRules rules);
    ~WaylandScreens() override;

    x11::RandrLayout readLayout() const override;

    // The ramp size assumed for the headroom; the compositor tells the real
    // one only to the client that takes the output's gamma.
    static constexpr int kAssumedGammaSize = 256;

private:
    WaylandConnection& connection_;
    std::unique_ptr<QSocketNotifier> notifier_;
    QMetaObject::Connection idleHook_;
};

} // namespace brillex::wayland
