#pragma once

#include <functional>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "power/PowerSources.h"

namespace brillex {

// How the computer is powered: charge level, on battery, charging. Polled every
// 10 seconds once monitoring starts; calls onBatteryStateChanged when the
// computer switches between battery and external power.
class BatteryMonitor : public ObservableObject {
public:
    using StateChanged = std::function<void(bool onBattery, double chargeLevel)>;

    static constexpr double kPollInterval = 10.0;

    // Takes one reading before any callback can be installed.
    BatteryMonitor(const PowerSources& sources, MainLoop& loop);
    static BatteryMonitor& shared();

    Published<double> chargeLevel{*this, 100.0}; // percent, not rounded
    Published<bool> isOnBattery{*this, false};
    Published<bool> isCharging{*this, false};

    // Called synchronously from a reading, right after isOnBattery flipped.
    StateChanged onBatteryStateChanged;
    // The poll timer while monitoring runs.
    Timer timer;

    // Reads at once, then every 10 seconds.
    void startMonitoring();
    // Invalidates and clears the poll timer.
    void stopMonitoring();
    // One reading of the power sources.
    void updateBatteryStatus();

private:
    void apply(const PowerSourceDescription& description);

    const PowerSources& sources_;
    MainLoop& loop_;
};

} // namespace brillex
