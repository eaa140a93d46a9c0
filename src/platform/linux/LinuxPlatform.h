#pragma once

#include <memory>

#include <QDBusConnection>

#include "base/MainLoop.h"
#include "platform/common/ClassRegistry.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/ddc/MonitorBrightness.h"
#include "platform/linux/services/BacklightServices.h"
#include "platform/linux/services/KeyGrabTapService.h"
#include "platform/linux/services/NightLightClient.h"
#include "platform/linux/services/PortalAppearance.h"
#include "platform/linux/services/UPowerKeyboardClient.h"
#include "platform/linux/services/UPowerPowerSources.h"
#include "platform/linux/x11/X11AccessibilityTrust.h"
#include "platform/linux/x11/X11Connection.h"
#include "platform/linux/x11/X11Screens.h"
#include "platform/linux/x11/X11TransferTables.h"
#include "platform/linux/x11/XCrtcRamps.h"
#include "platform/linux/services/XdgAutostart.h"

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
    // UPower and logind live on the system bus ($DBUS_SYSTEM_BUS_ADDRESS when set).
    QDBusConnection systemBus = QDBusConnection::systemBus();
    UPowerPowerSources powerSources{systemBus};
    platform::LibraryRegistry libraries;
    BacklightServices displayServices{libraries, screens, "/sys/class/backlight", systemBus};
    // External monitors over DDC/CI; the built-in panel through the backlight above.
    ddc::MonitorBrightness brightnessSources;
    UPowerKeyboardClient keyboardClient{systemBus};
    NightLightClient nightLight;
    platform::ClassRegistry objects{{"KeyboardBrightnessClient", &keyboardClient},
                                    {NightLightClient::className, &nightLight}};
    PortalAppearance appearance;
    XdgAutostart loginItems;
    X11AccessibilityTrust accessibility;
    KeyGrabTapService keyTaps;

private:
    Subscription forgetCrtcs_;
};

} // namespace brillex::x11
