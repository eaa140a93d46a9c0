#include "platform/linux/services/LinuxServices.h"

#include <QCoreApplication>

#include "base/Port.h"
#include "platform/linux/services/ColorSchemeSwitch.h"

namespace brillex::x11 {

LinuxServices::LinuxServices(LayoutScreens& screens, MainLoop& loop, std::string keyDisplay)
    : displayServices(libraries, screens, "/sys/class/backlight", systemBus),
      brightnessSources(screens, screens, loop, "/sys", systemBus),
      appearance(QDBusConnection::sessionBus()),
      loginItems(XdgAutostart::configHomeFromEnvironment(), QCoreApplication::applicationFilePath().toStdString()),
      keyTaps(std::move(keyDisplay)) {
    exportColorSchemeSwitch(libraries);
}

void LinuxServices::install() {
    Port<PowerSources>::install(&powerSources);
    Port<LibraryLoader>::install(&libraries);
    Port<DisplayConnectServices>::install(&displayServices);
    Port<BrightnessSources>::install(&brightnessSources);
    Port<ObjectRuntime>::install(&objects);
    Port<Appearance>::install(&appearance);
    Port<LoginItemService>::install(&loginItems);
    Port<AccessibilityTrust>::install(&accessibility);
    Port<EventTapService>::install(&keyTaps);
}

} // namespace brillex::x11
