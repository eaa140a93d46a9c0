#pragma once

#include <functional>

namespace brillex {

class AppSettings;
class BatteryMonitor;
class BrightnessManager;
class KeyboardManager;
class SystemBrightness;

// How the application shell reaches the model objects it drives. Each
// accessor makes its object on first use, so the launch sequence decides the
// order in which they come to be (and enumerate displays, read power, ...).
struct AppModels {
    std::function<AppSettings&()> settings;
    std::function<BatteryMonitor&()> batteryMonitor;
    std::function<BrightnessManager&()> brightnessManager;
    std::function<KeyboardManager&()> keyboardManager;
    std::function<SystemBrightness&()> systemBrightness;

    // The process-wide shared() instances.
    static AppModels shared();
};

} // namespace brillex
