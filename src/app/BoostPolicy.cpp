#include "app/BoostPolicy.h"

#include <algorithm>
#include <string>

#include "base/Log.h"
#include "boost/BrightnessManager.h"
#include "keys/KeyboardManager.h"
#include "settings/AppSettings.h"

namespace brillex {

BoostPolicy::BoostPolicy(MainLoop& loop, AccessibilityTrust& trust, const AppModels& models)
    : loop_(loop), trust_(trust), models_(models) {}

void BoostPolicy::startAutoOffTimer() {
    autoOffTimer_ = loop_.schedule(kAutoOffCheckInterval, true, [this] { checkAutoOff(); });
}

void BoostPolicy::checkAutoOff() {
    auto& manager = models_.brightnessManager();
    const auto& states = manager.displayStates.get();
    const bool anyOn = std::any_of(states.begin(), states.end(),
                                   [](const auto& entry) { return entry.second->isBoostEnabled.get(); });

    // The period runs from the first check that saw a boost on; switching on
    // further displays does not restart it.
    if (anyOn && !wasBoostEnabled_) {
        boostStartTime_ = loop_.now();
        wasBoostEnabled_ = true;
    } else if (!anyOn) {
        boostStartTime_.reset();
        wasBoostEnabled_ = false;
    }

    auto& settings = models_.settings();
    if (!settings.autoOffTimer()) return;
    if (!boostStartTime_ || !anyOn) return;

    const double elapsed = loop_.now() - *boostStartTime_;
    if (elapsed >= autoOffLimit(settings.timerMinutes())) {
        manager.disableAllBoosts();
        boostStartTime_.reset();
        wasBoostEnabled_ = false;
    }
}

// The store holds whatever integer was written. Minutes times 60 is taken in
// double, where no stored value can overflow. A negative count means the
// limit has passed already: the boost goes off at the next check, which is
// what the plain product would give, and errs on the side of no brightening.
double BoostPolicy::autoOffLimit(long long timerMinutes) {
    if (timerMinutes >= 0) {
        reportedMinutes_.reset();
        return static_cast<double>(timerMinutes) * 60.0;
    }
    if (reportedMinutes_ != timerMinutes) {
        reportedMinutes_ = timerMinutes;
        logLine("Auto-off: timerMinutes " + std::to_string(timerMinutes) + " is negative; switching off at once");
    }
    return 0.0;
}

void BoostPolicy::handleBatteryStateChange(AppSettings& settings, BrightnessManager& manager, bool isOnBattery,
                                           double chargeLevel) {
    if (settings.onlyWhileCharging() && isOnBattery) manager.disableAllBoosts();
    // Not tied to being on battery: plugging in at a low charge switches off too.
    if (settings.autoOffLowBattery() && static_cast<double>(settings.lowBatteryPercent()) > chargeLevel) {
        manager.disableAllBoosts();
    }
}

void BoostPolicy::setupKeyboardMonitoring() {
    defaultsChanges_ = models_.settings().defaults().observeChanges([this] { updateKeyboardMonitoring(); });
    updateKeyboardMonitoring();
}

void BoostPolicy::updateKeyboardMonitoring() {
    const bool wanted = models_.settings().brightnessKeyEnabled();
    if (wanted == keyboardMonitoringEnabled_) return;
    if (!wanted) {
        models_.keyboardManager().stopEventTap();
        keyboardMonitoringEnabled_ = false;
        return;
    }
    if (trust_.isProcessTrusted(false)) {
        // Counted as running even when the tap could not be made; switching
        // the setting off and on again retries.
        models_.keyboardManager().startEventTap();
        keyboardMonitoringEnabled_ = true;
    } else {
        // Shows the system's request; the next settings change tries again.
        trust_.isProcessTrusted(true);
    }
}

} // namespace brillex
