#include "ui/screens/ViewEnvironment.h"

#include "app/Application.h"
#include "app/Workspace.h"
#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "controls/DisplayFeatures.h"
#include "controls/KeyboardBrightness.h"
#include "controls/SystemBrightness.h"
#include "keys/AccessibilityTrust.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"

namespace brillex {

SettingsStore& ViewEnvironment::store() const { return appSettings.defaults(); }

ViewEnvironment ViewEnvironment::shared() {
    // Designated order: the root's four objects first, then the main screen's.
    auto& brightnessManager = BrightnessManager::shared();
    auto& batteryMonitor = BatteryMonitor::shared();
    auto& appSettings = AppSettings::shared();
    auto& loc = Localization::shared();
    auto& systemBrightness = SystemBrightness::shared();
    auto& displayManager = DisplayManager::shared();
    auto& keyboardBrightness = KeyboardBrightness::shared();
    auto& displayFeatures = DisplayFeatures::shared();
    return ViewEnvironment{brightnessManager,  batteryMonitor,  appSettings,
                           loc,                systemBrightness, displayManager,
                           keyboardBrightness, displayFeatures, Port<AccessibilityTrust>::get(),
                           Port<Workspace>::get(), Port<Application>::get()};
}

} // namespace brillex
