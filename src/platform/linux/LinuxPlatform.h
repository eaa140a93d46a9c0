#pragma once

#include <memory>

#include "base/MainLoop.h"
#include "platform/linux/services/LinuxServices.h"
#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Screens.h"
#include "platform/linux/x11/X11TransferTables.h"
#include "platform/linux/x11/XCrtcRamps.h"

namespace brillex::x11 {

// The native platform on an X11 desktop: one implementation per port that
// the core reaches the system through. install() makes it the platform; the
// application shell's ports (main loop, tray, popover, windows, settings)
// are the Qt front end's and installed beside it.
class LinuxPlatform {
public:
    // `guard` (may be null) keeps native ramps safe outside the process.
    LinuxPlatform(std::unique_ptr<X11Connection> display, MainLoop& loop, ScreenRules rules,
                  RampGuard* guard = nullptr);
    LinuxPlatform(const LinuxPlatform&) = delete;
    LinuxPlatform& operator=(const LinuxPlatform&) = delete;

    void install();

    const std::unique_ptr<X11Connection> connection;
    X11Screens screens;
    XCrtcRamps ramps{*connection};
    X11TransferTables transferTables;
    LinuxServices services;

private:
    Subscription forgetCrtcs_;
};

} // namespace brillex::x11
