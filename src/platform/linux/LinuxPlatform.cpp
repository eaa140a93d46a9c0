#include "platform/linux/LinuxPlatform.h"

#include <QCoreApplication>

#include "base/Port.h"

namespace brillex::x11 {

LinuxPlatform::LinuxPlatform(std::unique_ptr<X11Connection> connection, MainLoop& loop, ScreenRules rules,
                             RampGuard* guard)
    : connection_(std::move(connection)),
      screens(*connection_, loop, std::move(rules)),
      transferTables(ramps, guard),
      loginItems(XdgAutostart::configHomeFromEnvironment(), QCoreApplication::applicationFilePath().toStdString()) {}

void LinuxPlatform::install() {
    Port<ScreenServices>::install(&screens);
    Port<TransferTables>::install(&transferTables);
    Port<PowerSources>::install(&powerSources);
    Port<LibraryLoader>::install(&libraries);
    Port<DisplayConnectServices>::install(&displayServices);
    Port<ObjectRuntime>::install(&objects);
    Port<Appearance>::install(&appearance);
    Port<LoginItemService>::install(&loginItems);
    Port<AccessibilityTrust>::install(&accessibility);
    Port<EventTapService>::install(&inputFilter);
}

} // namespace brillex::x11
