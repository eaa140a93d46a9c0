#include "settings/AppSettings.h"

#include "base/Log.h"
#include "base/Port.h"

namespace brillex {

AppSettings& AppSettings::shared() {
    static auto* instance = new AppSettings(Port<SettingsStore>::get(), Port<LoginItemService>::get());
    return *instance;
}

AppSettings::AppSettings(SettingsStore& store, LoginItemService& loginItems)
    : reader_(store), loginItems_(loginItems) {}

bool AppSettings::onlyWhileCharging() const { return reader_.boolean(kOnlyWhileCharging, false); }
void AppSettings::setOnlyWhileCharging(bool value) { defaults().set(kOnlyWhileCharging, value); }

bool AppSettings::autoOffLowBattery() const { return reader_.boolean(kAutoOffLowBattery, false); }
void AppSettings::setAutoOffLowBattery(bool value) { defaults().set(kAutoOffLowBattery, value); }

long long AppSettings::lowBatteryPercent() const {
    return reader_.integer(kLowBatteryPercent, kDefaultLowBatteryPercent);
}
void AppSettings::setLowBatteryPercent(long long value) { defaults().set(kLowBatteryPercent, value); }

bool AppSettings::autoOffTimer() const { return reader_.boolean(kAutoOffTimer, false); }
void AppSettings::setAutoOffTimer(bool value) { defaults().set(kAutoOffTimer, value); }

long long AppSettings::timerMinutes() const { return reader_.integer(kTimerMinutes, kDefaultTimerMinutes); }
void AppSettings::setTimerMinutes(long long value) { defaults().set(kTimerMinutes, value); }

bool AppSettings::launchAtLogin() const { return reader_.boolean(kLaunchAtLogin, false); }
void AppSettings::setLaunchAtLogin(bool value) { defaults().set(kLaunchAtLogin, value); }

bool AppSettings::brightnessKeyEnabled() const { return reader_.boolean(kBrightnessKeyEnabled, false); }
void AppSettings::setBrightnessKeyEnabled(bool value) { defaults().set(kBrightnessKeyEnabled, value); }

bool AppSettings::keyboardBacklightEnabled() const { return reader_.boolean(kKeyboardBacklightEnabled, false); }
void AppSettings::setKeyboardBacklightEnabled(bool value) { defaults().set(kKeyboardBacklightEnabled, value); }

bool AppSettings::displayFeaturesEnabled() const { return reader_.boolean(kDisplayFeaturesEnabled, true); }
void AppSettings::setDisplayFeaturesEnabled(bool value) { defaults().set(kDisplayFeaturesEnabled, value); }

void AppSettings::updateLaunchAtLogin() {
    const auto error = launchAtLogin() ? loginItems_.registerItem() : loginItems_.unregisterItem();
    if (error) logLine("Launch at login setting failed: " + *error);
}

} // namespace brillex
