#include "keys/KeyboardManager.h"

#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "keys/BrightnessOSD.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/SettingsReader.h"

namespace brillex {

KeyboardManager& KeyboardManager::shared() {
    static auto* manager = new KeyboardManager(
        Port<SettingsStore>::get(), Port<AccessibilityTrust>::get(), Port<EventTapService>::get(),
        Port<ScreenServices>::get(), Port<MainLoop>::get(),
        Models{
            [] () -> BrightnessManager& { return BrightnessManager::shared(); },
            [] () -> SystemBrightness& { return SystemBrightness::shared(); },
            [] () -> AppSettings& { return AppSettings::shared(); },
            [] () -> BatteryMonitor& { return BatteryMonitor::shared(); },
            [] () -> BrightnessOSD& { return BrightnessOSD::shared(); },
        });
    return *manager;
}

KeyboardManager::KeyboardManager(SettingsStore& userDefaults, AccessibilityTrust& trust, EventTapService& taps,
                                 const ScreenServices& screens, MainLoop& loop, Models models)
    : brightnessKeysEnabled(*this,
                            SettingsReader(userDefaults).boolean(kBrightnessKeysEnabledKey, true)),
      trust_(trust), taps_(taps), screens_(screens), loop_(loop), models_(std::move(models)) {}

KeyboardManager::~KeyboardManager() {
    stopEventTap();
}

void KeyboardManager::startEventTap() {
    if (!brightnessKeysEnabled || eventTap_) return;
    // Asking for the system's request is the application's decision, not ours.
    if (!trust_.isProcessTrusted(false)) return;
    eventTap_ = taps_.createTap(kEventMask, [this](const TapEvent& event) { return filterEvent(event); });
    if (!eventTap_) return;
    eventTap_->addToMainRunLoop();
    eventTap_->setEnabled(true);
}

void KeyboardManager::stopEventTap() {
    if (!eventTap_) return;
    eventTap_->setEnabled(false);
    eventTap_->removeFromMainRunLoop();
    eventTap_.reset();
}

TapVerdict KeyboardManager::filterEvent(const TapEvent& event) {
    // The system's notices that it disabled the tap arrive here with their own
    // types and pass like any other event; the tap is not re-enabled.
    if (event.type != kSystemDefinedEventType || !event.fields) return TapVerdict::pass;
    if (event.fields->subtype != kAuxControlButtonsSubtype) return TapVerdict::pass;
    const std::int64_t data1 = event.fields->data1;
    // Key codes 2 and 3 only, in bits 16 to 31; other media keys are not ours.
    if ((data1 & 0xFFFE0000) != 0x20000) return TapVerdict::pass;
    if ((data1 & 0xFF00) == kKeyStateDown << 8) {
        const int keyCode = static_cast<int>((data1 >> 16) & 0xFFFF);
        // The system waits for the filter: the step runs after it has returned.
        tasks_.post([this, keyCode] {
            // One after the other: whichever is taken first may be created now.
            auto& brightnessManager = models_.brightnessManager();
            auto& systemBrightness = models_.systemBrightness();
            handleBrightnessKey(keyCode, brightnessManager, systemBrightness, kBrightnessStep);
        });
    }
    // Key-up too: the system must see neither half of the press.
    return TapVerdict::swallow;
}

void KeyboardManager::handleBrightnessKey(int keyCode, BrightnessManager& brightnessManager,
                                          SystemBrightness& systemBrightness, float step) {
    const DisplayId mainDisplay = screens_.mainDisplay();
    if (keyCode == kKeyBrightnessDown) {
        // The boost comes down first; it stays on at level 0.0.
        if (brightnessManager.isMainDisplayBoosted() && brightnessManager.mainDisplayBoostLevel() > 0.0) {
            if (auto* state = brightnessManager.state(mainDisplay)) state->decreaseBoost();
            showBoost(brightnessManager);
            return;
        }
        float value = systemBrightness.mainDisplayBrightness() - step;
        if (value < 0.0f) value = 0.0f;
        stepSystemBrightness(systemBrightness, value);
    } else if (keyCode == kKeyBrightnessUp) {
        const bool blocked = models_.settings().onlyWhileCharging() && models_.batteryMonitor().isOnBattery;
        const auto& states = systemBrightness.displayStates.get();
        const auto found = states.find(mainDisplay);
        const bool atFull = found != states.end() && found->second->isAtFullBrightness();
        // The keys never switch a boost on: they only raise one that is on.
        if (atFull && brightnessManager.isMainDisplayBoosted() && !blocked) {
            if (auto* state = brightnessManager.state(mainDisplay)) state->increaseBoost();
            showBoost(brightnessManager);
            return;
        }
        float value = systemBrightness.mainDisplayBrightness() + step;
        // The last step lands on the top rather than just short of it.
        if (value >= 0.99f) value = 1.0f;
        stepSystemBrightness(systemBrightness, value);
    }
}

void KeyboardManager::stepSystemBrightness(SystemBrightness& systemBrightness, float value) {
    const auto& states = systemBrightness.displayStates.get();
    if (const auto found = states.find(screens_.mainDisplay()); found != states.end()) {
        found->second->setBrightness(value);
    }
    models_.osd().show(static_cast<double>(value), false);
}

void KeyboardManager::showBoost(BrightnessManager& brightnessManager) {
    if (const auto* state = brightnessManager.state(screens_.mainDisplay())) {
        models_.osd().showXDR(state->currentNits, state->maxNitsAvailable);
    }
}

} // namespace brillex
