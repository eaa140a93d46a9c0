#include "platform/linux/LinuxPlatform.h"

#include "base/Port.h"

#include <X11/Xlib.h>

namespace brillex::x11 {

LinuxPlatform::LinuxPlatform(std::unique_ptr<X11Connection> display, MainLoop& loop, ScreenRules rules,
                             RampGuard* guard)
    : connection(std::move(display)),
      screens(*connection, loop, std::move(rules)),
      transferTables(ramps, guard),
      services(screens, loop, XDisplayString(connection->display())),
      forgetCrtcs_(screens.observeRandrEvents([this] { ramps.forget(); })) {}

void LinuxPlatform::install() {
    Port<ScreenServices>::install(&screens);
    Port<TransferTables>::install(&transferTables);
    services.install();
}

} // namespace brillex::x11
