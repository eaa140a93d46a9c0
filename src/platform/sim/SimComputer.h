#pragma once

#include "base/ManualLoop.h"
#include "platform/sim/SimAccessibility.h"
#include "platform/sim/SimAppearance.h"
#include "platform/sim/SimApplication.h"
#include "platform/sim/SimDisplayServices.h"
#include "platform/sim/SimEdrOutput.h"
#include "platform/sim/SimEventMonitor.h"
#include "platform/sim/SimEventTap.h"
#include "platform/sim/SimFeatureClient.h"
#include "platform/sim/SimGamma.h"
#include "platform/sim/SimKeyboardClient.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/sim/SimLoginItems.h"
#include "platform/common/ClassRegistry.h"
#include "platform/sim/SimOsdPanel.h"
#include "platform/sim/SimPopovers.h"
#include "platform/sim/SimPowerSources.h"
#include "platform/sim/SimScreens.h"
#include "platform/sim/SimStatusBar.h"
#include "platform/sim/SimWorkspace.h"
#include "settings/MemoryStore.h"

namespace brillex::sim {

// The simulated computer: one in-memory stand-in per platform port, each with
// switches for the failures the core handles. install() makes it the platform.
class SimComputer {
public:
    SimComputer();
    SimComputer(const SimComputer&) = delete;
    SimComputer& operator=(const SimComputer&) = delete;

    void install();

    ManualLoop loop;
    SimScreens screens;
    SimGamma gamma{screens};
    SimEdrOutput edrOutput;
    SimPowerSources powerSources;
    platform::LibraryRegistry libraries;
    SimDisplayServices displayServices{libraries, loop, screens};
    SimKeyboardClient keyboardClient;
    SimFeatureClient blueLightClient{"isEnabled"};
    SimFeatureClient trueToneClient{"enabled", true};
    platform::ClassRegistry objects{{"KeyboardBrightnessClient", &keyboardClient},
                             {"CBBlueLightClient", &blueLightClient},
                             {"CBTrueToneClient", &trueToneClient}};
    SimAppearance appearance{loop, libraries};
    MemoryStore store{loop};
    SimLoginItems loginItems;
    SimAccessibility accessibility;
    SimEventTap eventTap;
    SimOsdPanel osdPanel{loop};
    SimStatusBar statusBar;
    SimPopovers popovers;
    SimEventMonitor eventMonitor;
    SimApplication application;
    SimWorkspace workspace;
};

} // namespace brillex::sim
