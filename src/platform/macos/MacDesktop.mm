#include "platform/macos/MacDesktop.h"

#include <CoreGraphics/CoreGraphics.h>

#include "base/Port.h"
#include "controls/BrightnessSources.h"
#include "platform/macos/display/MacOverlays.h"
#include "platform/macos/display/MacScreens.h"
#include "platform/macos/display/MacTransferTables.h"
#include "platform/macos/services/DynamicLibraries.h"
#include "platform/macos/services/MacAccessibilityTrust.h"
#include "platform/macos/services/MacAppearance.h"
#include "platform/macos/services/MacDisplayConnectServices.h"
#include "platform/macos/services/MacEventTaps.h"
#include "platform/macos/services/MacLoginItems.h"
#include "platform/macos/services/MacObjectRuntime.h"
#include "platform/macos/services/MacPowerSources.h"
#include "platform/macos/services/MacWorkspace.h"
#include "platform/macos/services/UserDefaultsDomain.h"
#include "platform/macos/services/UserDefaultsStore.h"
#include "platform/macos/shell/MacGlobalEventMonitor.h"
#include "platform/macos/shell/MacOsdPanels.h"
#include "platform/macos/shell/MacPopover.h"
#include "platform/macos/shell/MacStatusBar.h"

namespace brillex::macos {

namespace {

struct MacPorts : platform::InstalledPorts {
    explicit MacPorts(MainLoop& loop) : store(defaults, loop) {}

    MacScreens screens;
    MacTransferTables transferTables;
    MacOverlays overlays;
    MacPowerSources powerSources;
    DynamicLibraries libraries;
    MacObjectRuntime objects;
    MacDisplayConnectServices displayConnect;
    // DisplayServices speaks for every display there.
    LibrarySources brightnessSources;
    MacAppearance appearance;
    MacLoginItems loginItems;
    MacAccessibilityTrust accessibility;
    MacEventTaps eventTaps;
    MacGlobalEventMonitor eventMonitor;
    UserDefaultsDomain defaults;
    UserDefaultsStore store;
    MacWorkspace workspace;
    MacStatusBar statusBar;
    MacPopoverFactory popovers{&ViewEnvironment::shared};
    MacOsdPanels osdPanels;
};

// Outside a login session (over ssh, in a launch daemon) there is no menu bar to live in.
std::optional<std::string> missingSession() {
    CFDictionaryRef session = CGSessionCopyCurrentDictionary();
    if (!session) return std::string("macOS: not running in a graphical login session");
    CFRelease(session);
    return std::nullopt;
}

} // namespace

platform::NativeOpening MacDesktop::open(const platform::NativeOptions&) {
    if (auto missing = missingSession()) return std::move(*missing);
    return std::unique_ptr<platform::NativePlatform>(new MacDesktop());
}

std::optional<std::string> MacDesktop::findDesktop() { return missingSession(); }

std::unique_ptr<platform::InstalledPorts> MacDesktop::install(MainLoop& loop) {
    auto ports = std::make_unique<MacPorts>(loop);
    Port<ScreenServices>::install(&ports->screens);
    Port<TransferTables>::install(&ports->transferTables);
    Port<ExtendedRangeOutput>::install(&ports->overlays);
    Port<PowerSources>::install(&ports->powerSources);
    Port<LibraryLoader>::install(&ports->libraries);
    Port<ObjectRuntime>::install(&ports->objects);
    Port<DisplayConnectServices>::install(&ports->displayConnect);
    Port<BrightnessSources>::install(&ports->brightnessSources);
    Port<Appearance>::install(&ports->appearance);
    Port<LoginItemService>::install(&ports->loginItems);
    Port<AccessibilityTrust>::install(&ports->accessibility);
    Port<EventTapService>::install(&ports->eventTaps);
    Port<GlobalEventMonitor>::install(&ports->eventMonitor);
    Port<SettingsStore>::install(&ports->store);
    Port<Workspace>::install(&ports->workspace);
    Port<StatusBar>::install(&ports->statusBar);
    Port<PopoverFactory>::install(&ports->popovers);
    Port<OsdPanelService>::install(&ports->osdPanels);
    return ports;
}

} // namespace brillex::macos

namespace brillex::platform {

NativeOpening openMacDesktop(const NativeOptions& options) { return macos::MacDesktop::open(options); }

std::optional<std::string> findMacDesktop() { return macos::MacDesktop::findDesktop(); }

} // namespace brillex::platform
