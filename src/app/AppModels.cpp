#include "app/AppModels.h"

#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "keys/KeyboardManager.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"

namespace brillex {

AppModels AppModels::shared() {
    return AppModels{
        [] () -> AppSettings& { return AppSettings::shared(); },
        [] () -> BatteryMonitor& { return BatteryMonitor::shared(); },
        [] () -> BrightnessManager& { return BrightnessManager::shared(); },
        [] () -> KeyboardManager& { return KeyboardManager::shared(); },
        [] () -> SystemBrightness& { return SystemBrightness::shared(); },
    };
}

} // namespace brillex
