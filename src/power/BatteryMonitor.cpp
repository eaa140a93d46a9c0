#include "power/BatteryMonitor.h"

#include "base/Port.h"

namespace brillex {
namespace {

template <class T>
const T* valueOf(const PowerSourceDescription& description, const char* key) {
    auto found = description.find(key);
    return found == description.end() ? nullptr : std::get_if<T>(&found->second);
}

} // namespace

BatteryMonitor::BatteryMonitor(const PowerSources& sources, MainLoop& loop) : sources_(sources), loop_(loop) {
    updateBatteryStatus();
}

BatteryMonitor& BatteryMonitor::shared() {
    static BatteryMonitor* instance = new BatteryMonitor(Port<PowerSources>::get(), Port<MainLoop>::get());
    return *instance;
}

void BatteryMonitor::startMonitoring() {
    updateBatteryStatus();
    // The timer is a member: it stops when the monitor goes, so the closure
    // never runs without it.
    timer = loop_.schedule(kPollInterval, true, [this] { updateBatteryStatus(); });
}

void BatteryMonitor::stopMonitoring() {
    timer.invalidate();
}

void BatteryMonitor::updateBatteryStatus() {
    const auto list = sources_.snapshot();
    if (!list || list->empty()) {
        // No battery reported: a desktop on external power. Deliberately no
        // callback, even when the previous reading was on battery.
        chargeLevel = 100.0;
        isOnBattery = false;
        isCharging = false;
        return;
    }
    for (const auto& source : *list) {
        if (source) apply(*source);
    }
}

void BatteryMonitor::apply(const PowerSourceDescription& description) {
    const auto* current = valueOf<std::int64_t>(description, kPowerSourceCurrentCapacityKey);
    const auto* maximum = valueOf<std::int64_t>(description, kPowerSourceMaxCapacityKey);
    if (current && maximum && *maximum >= 1) {
        chargeLevel = static_cast<double>(*current) / static_cast<double>(*maximum) * 100.0;
    }

    if (const auto* state = valueOf<std::string>(description, kPowerSourceStateKey)) {
        const bool wasOnBattery = isOnBattery;
        isOnBattery = *state == kPowerSourceBatteryPowerValue;
        if (isOnBattery != wasOnBattery && onBatteryStateChanged) {
            // A copy, so that the callback may replace itself.
            const auto callback = onBatteryStateChanged;
            callback(isOnBattery, chargeLevel);
        }
    }

    if (const auto* charging = valueOf<bool>(description, kPowerSourceIsChargingKey)) isCharging = *charging;
}

} // namespace brillex
