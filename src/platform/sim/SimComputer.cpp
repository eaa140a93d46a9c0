#include "platform/sim/SimComputer.h"

#include "base/Port.h"

namespace brillex::sim {

SimComputer::SimComputer() = default;

void SimComputer::install() {
    Port<MainLoop>::install(&loop);
    Port<ScreenServices>::install(&screens);
    Port<TransferTables>::install(&gamma);
    Port<ExtendedRangeOutput>::install(&edrOutput);
    Port<PowerSources>::install(&powerSources);
    Port<LibraryLoader>::install(&libraries);
    Port<DisplayConnectServices>::install(&displayServices);
    Port<BrightnessSources>::install(&displayServices);
    Port<ObjectRuntime>::install(&objects);
    Port<Appearance>::install(&appearance);
    Port<SettingsStore>::install(&store);
    Port<LoginItemService>::install(&loginItems);
    Port<AccessibilityTrust>::install(&accessibility);
    Port<EventTapService>::install(&eventTap);
    Port<OsdPanelService>::install(&osdPanel);
    Port<StatusBar>::install(&statusBar);
    Port<PopoverFactory>::install(&popovers);
    Port<GlobalEventMonitor>::install(&eventMonitor);
    Port<Application>::install(&application);
    Port<Workspace>::install(&workspace);
}

} // namespace brillex::sim
