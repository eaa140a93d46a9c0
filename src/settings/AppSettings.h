#pragma once

#include "base/Observable.h"
#include "settings/LoginItemService.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsStore.h"

namespace brillex {

// The user's persistent preferences. Nothing is cached: every getter reads the
// store and every setter writes it at once (the store then posts its change
// notification), so a value written anywhere is seen at the next read.
// Getters never fail: an absent key or a value of the wrong type reads as the
// default. It announces nothing itself; consumers read settings when they need them.
class AppSettings : public ObservableObject {
public:
    static AppSettings& shared();
    AppSettings(SettingsStore& store, LoginItemService& loginItems);

    // The store's keys, equal to the property names.
    static constexpr const char* kOnlyWhileCharging = "onlyWhileCharging";
    static constexpr const char* kAutoOffLowBattery = "autoOffLowBattery";
    static constexpr const char* kLowBatteryPercent = "lowBatteryPercent";
    static constexpr const char* kAutoOffTimer = "autoOffTimer";
    static constexpr const char* kTimerMinutes = "timerMinutes";
    static constexpr const char* kLaunchAtLogin = "launchAtLogin";
    static constexpr const char* kBrightnessKeyEnabled = "brightnessKeyEnabled";
    static constexpr const char* kKeyboardBacklightEnabled = "keyboardBacklightEnabled";
    static constexpr const char* kDisplayFeaturesEnabled = "displayFeaturesEnabled";

    static constexpr long long kDefaultLowBatteryPercent = 20;
    static constexpr long long kDefaultTimerMinutes = 30;

    // Boost only on external power. Default false.
    bool onlyWhileCharging() const;
    void setOnlyWhileCharging(bool value);
    // Boost off when the charge falls below lowBatteryPercent. Default false.
    bool autoOffLowBattery() const;
    void setAutoOffLowBattery(bool value);
    // Percent, default 20. Whatever integer the store holds, unclamped (it
    // may be negative or huge): compare it, or widen it to double, before any
    // arithmetic on it.
    long long lowBatteryPercent() const;
    void setLowBatteryPercent(long long value);
    // Boost off after timerMinutes. Default false.
    bool autoOffTimer() const;
    void setAutoOffTimer(bool value);
    // Minutes, default 30. Unclamped like lowBatteryPercent: multiplying it
    // by 60 as an integer can overflow; work in double seconds instead.
    long long timerMinutes() const;
    void setTimerMinutes(long long value);
    // Registered as a login item; see updateLaunchAtLogin. Default false.
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool value);
    // The brightness keys step brightness and boost. Default false. Not the
    // key manager's own gate "brightnessKeysEnabled".
    bool brightnessKeyEnabled() const;
    void setBrightnessKeyEnabled(bool value);
    // The main screen shows the keyboard-backlight slider. Default false.
    bool keyboardBacklightEnabled() const;
    void setKeyboardBacklightEnabled(bool value);
    // The main screen shows the Night Shift / True Tone / Dark Mode toggles. Default true.
    bool displayFeaturesEnabled() const;
    void setDisplayFeaturesEnabled(bool value);

    // Makes the login-item registration follow launchAtLogin; a refusal is
    // logged and otherwise ignored (the setting keeps the user's choice).
    void updateLaunchAtLogin();

    SettingsStore& defaults() const { return reader_.store(); }

private:
    SettingsReader reader_;
    LoginItemService& loginItems_;
};

} // namespace brillex
