#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "base/MainLoop.h"
#include "base/OwnedTasks.h"
#include "base/Observable.h"
#include "boost/ScreenServices.h"
#include "keys/AccessibilityTrust.h"
#include "keys/EventTap.h"
#include "settings/SettingsStore.h"

namespace brillex {

class AppSettings;
class BatteryMonitor;
class BrightnessManager;
class BrightnessOSD;
class SystemBrightness;

// Takes the two display-brightness keys away from the system while
// interception runs and turns each key-down into one step of the main
// display's system brightness or, at its top with the boost on, of the boost.
class KeyboardManager : public ObservableObject {
public:
    // The model objects a key press works on; each is taken when a key
    // arrives, so that interception alone creates none of them.
    struct Models {
        std::function<BrightnessManager&()> brightnessManager;
        std::function<SystemBrightness&()> systemBrightness;
        std::function<AppSettings&()> settings;
        std::function<BatteryMonitor&()> batteryMonitor;
        std::function<BrightnessOSD&()> osd;
    };

    // The system's values for system-defined events.
    static constexpr std::uint32_t kSystemDefinedEventType = 14;
    static constexpr std::uint64_t kEventMask = std::uint64_t{1} << kSystemDefinedEventType;
    static constexpr std::int16_t kAuxControlButtonsSubtype = 8;
    static constexpr int kKeyBrightnessUp = 2;
    static constexpr int kKeyBrightnessDown = 3;
    static constexpr std::int64_t kKeyStateDown = 0x0A;
    static constexpr std::int64_t kKeyStateUp = 0x0B;
    static constexpr float kBrightnessStep = 0.0625f;
    // The stored gate, distinct from the user's setting "brightnessKeyEnabled".
    static constexpr const char* kBrightnessKeysEnabledKey = "brightnessKeysEnabled";

    static KeyboardManager& shared();
    // Reads the gate from the store, once.
    KeyboardManager(SettingsStore& userDefaults, AccessibilityTrust& trust, EventTapService& taps,
                    const ScreenServices& screens, MainLoop& loop, Models models);
    // Stops interception.
    ~KeyboardManager() override;

    // Second gate of startEventTap(); nothing in the program writes it.
    Published<bool> brightnessKeysEnabled;

    // Installs interception when the gate is open, the program is trusted and
    // the system grants a tap; fails silently otherwise.
    void startEventTap();
    // Removes interception; safe when nothing is installed.
    void stopEventTap();
    bool isIntercepting() const { return eventTap_ != nullptr; }

    // The tap's filter: swallows key-down and key-up of the two brightness
    // keys, queueing a step for each key-down; everything else passes.
    TapVerdict filterEvent(const TapEvent& event);
    // One step for `keyCode` on the main display.
    void handleBrightnessKey(int keyCode, BrightnessManager& brightnessManager, SystemBrightness& systemBrightness,
                             float step);

private:
    void stepSystemBrightness(SystemBrightness& systemBrightness, float value);
    void showBoost(BrightnessManager& brightnessManager);

    AccessibilityTrust& trust_;
    EventTapService& taps_;
    const ScreenServices& screens_;
    MainLoop& loop_;
    Models models_;
    std::unique_ptr<EventTap> eventTap_;
    // Queued key handlers do nothing once the manager is gone.
    OwnedTasks tasks_{loop_};
};

} // namespace brillex
