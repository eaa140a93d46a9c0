#pragma once

namespace brillex {

class AccessibilityTrust;
class AppSettings;
class Application;
class BatteryMonitor;
class BrightnessManager;
class DisplayFeatures;
class DisplayManager;
class KeyboardBrightness;
class Localization;
class SettingsStore;
class SystemBrightness;
class Workspace;

// What the popover's views read and call: the model objects and the few
// platform services the screens use. The root view hands it down to every
// screen and row; the views hold nothing else.
struct ViewEnvironment {
    BrightnessManager& brightnessManager;
    BatteryMonitor& batteryMonitor;
    AppSettings& appSettings;
    Localization& loc;
    SystemBrightness& systemBrightness;
    DisplayManager& displayManager;
    KeyboardBrightness& keyboardBrightness;
    DisplayFeatures& displayFeatures;
    AccessibilityTrust& accessibility;
    Workspace& workspace;
    Application& application;

    // The store the settings live in; its change notification redraws the views.
    SettingsStore& store() const;

    // The shared instances (made in this order if they do not exist yet) and
    // the installed platform.
    static ViewEnvironment shared();
};

} // namespace brillex
