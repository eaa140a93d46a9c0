#include "platform/linux/LinuxPlatform.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include "base/Port.h"
#include "platform/linux/services/ColorSchemeSwitch.h"

#include <X11/Xlib.h>

namespace brillex::x11 {

LinuxPlatform::LinuxPlatform(std::unique_ptr<X11Connection> display, MainLoop& loop, ScreenRules rules,
                             RampGuard* guard)
    : connection(std::move(display)),
      screens(*connection, loop, std::move(rules)),
      transferTables(ramps, guard),
      brightnessSources(screens, screens, loop, "/sys", systemBus),
      appearance(QDBusConnection::sessionBus()),
      loginItems(XdgAutostart::configHomeFromEnvironment(), QCoreApplication::applicationFilePath().toStdString()),
      keyTaps(XDisplayString(connection->display())),
      forgetCrtcs_(screens.observeRandrEvents([this] { ramps.forget(); })) {
    exportColorSchemeSwitch(libraries);
}

void LinuxPlatform::install() {
    Port<ScreenServices>::install(&screens);
    Port<TransferTables>::install(&transferTables);
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
