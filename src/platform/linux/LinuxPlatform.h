#pragma once

#include <memory>

#include "base/MainLoop.h"
#include "platform/common/ClassRegistry.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/KeyGrabTapService.h"
#include "platform/linux/NoDisplayConnectServices.h"
#include "platform/linux/NoInputFilter.h"
#include "platform/linux/NoLoginItems.h"
#include "platform/linux/NightLightClient.h"
#include "platform/linux/NoPowerSources.h"
#include "platform/linux/PortalAppearance.h"
#include "platform/linux/X11Connection.h"
#include "platform/linux/X11Screens.h"
#include "platform/linux/X11TransferTables.h"
#include "platform/linux/XCrtcRamps.h"

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
    NoPowerSources powerSources;
    platform::LibraryRegistry libraries;
    NoDisplayConnectServices displayServices;
    NightLightClient nightLight;
    platform::ClassRegistry objects{{NightLightClient::className, &nightLight}};
    PortalAppearance appearance;
    NoLoginItems loginItems;
    NoInputFilter inputFilter;
    KeyGrabTapService keyTaps;

private:
    Subscription forgetCrtcs_;
};

} // namespace brillex::x11
