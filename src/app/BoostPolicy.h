#pragma once

#include <optional>

#include "app/AppModels.h"
#include "base/MainLoop.h"
#include "base/Signal.h"
#include "keys/AccessibilityTrust.h"

namespace brillex {

// The rules that act on the boost from outside the popover: the auto-off
// timer, the battery rules and the switch that makes brightness-key
// interception follow the user's setting and the accessibility trust. They
// only ever switch boosts off, never on. Part of the application delegate.
class BoostPolicy {
public:
    static constexpr double kAutoOffCheckInterval = 1.0;

    BoostPolicy(MainLoop& loop, AccessibilityTrust& trust, const AppModels& models);
    BoostPolicy(const BoostPolicy&) = delete;
    BoostPolicy& operator=(const BoostPolicy&) = delete;

    // Schedules checkAutoOff every second; runs once, at launch.
    void startAutoOffTimer();
    // Tracks since when at least one boost is on and switches every boost
    // off once that lasted timerMinutes (when the auto-off setting is on).
    void checkAutoOff();

    // The battery monitor's callback: switches every boost off on battery
    // when boosting is allowed only while charging, and when the charge is
    // below the low-battery threshold (on any change of power source).
    static void handleBatteryStateChange(AppSettings& settings, BrightnessManager& manager, bool isOnBattery,
                                         double chargeLevel);

    // Re-applies the key setting on every change of the settings store, and once now.
    void setupKeyboardMonitoring();
    // Starts interception when the setting is on and the program is trusted
    // (asking the system for trust when it is not); stops it when the setting is off.
    void updateKeyboardMonitoring();

    Timer& autoOffTimer() { return autoOffTimer_; }
    const Timer& autoOffTimer() const { return autoOffTimer_; }
    // Main-loop time of the first check that saw the current period's boost.
    std::optional<double> boostStartTime() const { return boostStartTime_; }
    bool wasBoostEnabled() const { return wasBoostEnabled_; }
    bool keyboardMonitoringEnabled() const { return keyboardMonitoringEnabled_; }

private:
    double autoOffLimit(long long timerMinutes);

    MainLoop& loop_;
    AccessibilityTrust& trust_;
    const AppModels& models_;

    Timer autoOffTimer_;
    std::optional<double> boostStartTime_;
    bool wasBoostEnabled_ = false;
    bool keyboardMonitoringEnabled_ = false;
    Subscription defaultsChanges_;
    // The last unusable timerMinutes reported, so each bad value is logged once.
    std::optional<long long> reportedMinutes_;
};

} // namespace brillex
