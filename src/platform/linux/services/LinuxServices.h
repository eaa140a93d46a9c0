#pragma once

#include <string>

#include <QDBusConnection>

#include "platform/common/ClassRegistry.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/ddc/MonitorBrightness.h"
#include "platform/linux/services/BacklightServices.h"
#include "platform/linux/services/KeyGrabTapService.h"
#include "platform/linux/services/NightLightClient.h"
#include "platform/linux/services/PortalAppearance.h"
#include "platform/linux/services/UPowerKeyboardClient.h"
#include "platform/linux/services/UPowerPowerSources.h"
#include "platform/linux/services/XdgAutostart.h"
#include "platform/linux/x11/LayoutScreens.h"
#include "platform/linux/x11/X11AccessibilityTrust.h"

namespace brillex::x11 {

// The ports of a Linux desktop that do not depend on its display layer:
// power, backlights and external monitors' brightness, keyboard light, night
// light, appearance, login items and the brightness keys (grabbed on the X
// display `keyDisplay`, empty for $DISPLAY).
class LinuxServices {
public:
    LinuxServices(LayoutScreens& screens, MainLoop& loop, std::string keyDisplay);
    LinuxServices(const LinuxServices&) = delete;
    LinuxServices& operator=(const LinuxServices&) = delete;

    void install();

    // UPower and logind live on the system bus ($DBUS_SYSTEM_BUS_ADDRESS when set).
    QDBusConnection systemBus = QDBusConnection::systemBus();
    UPowerPowerSources powerSources{systemBus};
    platform::LibraryRegistry libraries;
    BacklightServices displayServices;
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
};

} // namespace brillex::x11
