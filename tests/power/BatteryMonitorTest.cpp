#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"

namespace brillex {
namespace {

PowerSourceDescription source(std::int64_t current, std::int64_t max, std::string state, bool charging) {
    return {{kPowerSourceCurrentCapacityKey, current},
            {kPowerSourceMaxCapacityKey, max},
            {kPowerSourceStateKey, std::move(state)},
            {kPowerSourceIsChargingKey, charging}};
}

class BatteryMonitorTest : public ::testing::Test {
protected:
    void setSources(std::vector<PowerSources::Source> sources) { sim.powerSources.list = std::move(sources); }

    // Creates the monitor and records every callback from then on.
    BatteryMonitor& monitor() {
        if (!monitor_) {
            monitor_.emplace(sim.powerSources, sim.loop);
            monitor_->onBatteryStateChanged = [this](bool onBattery, double level) { calls.emplace_back(onBattery, level); };
        }
        return *monitor_;
    }

    sim::SimComputer sim;
    std::vector<std::pair<bool, double>> calls;
    std::optional<BatteryMonitor> monitor_;
};

TEST_F(BatteryMonitorTest, DesktopReadsAsFullExternalPowerAndNeverCalls) {
    auto& battery = monitor();
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 100.0);
    EXPECT_FALSE(battery.isOnBattery);
    EXPECT_FALSE(battery.isCharging);

    sim.powerSources.list = std::nullopt; // no list at all
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 100.0);
    EXPECT_TRUE(calls.empty());
}

TEST_F(BatteryMonitorTest, EmptyListResetsWithoutCallbackEvenWhenOnBattery) {
    auto& battery = monitor();
    setSources({source(30, 100, kPowerSourceBatteryPowerValue, true)});
    battery.updateBatteryStatus();
    ASSERT_EQ(calls.size(), 1u);

    setSources({});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 100.0);
    EXPECT_FALSE(battery.isOnBattery);
    EXPECT_FALSE(battery.isCharging);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(BatteryMonitorTest, CallbackFiresOnlyWhenPowerStateFlips) {
    setSources({source(80, 100, "AC Power", true)});
    auto& battery = monitor();
    battery.updateBatteryStatus();
    EXPECT_TRUE(calls.empty());

    setSources({source(79, 100, kPowerSourceBatteryPowerValue, false)});
    battery.updateBatteryStatus();
    setSources({source(10, 100, kPowerSourceBatteryPowerValue, false)});
    battery.updateBatteryStatus();
    battery.updateBatteryStatus();
    setSources({source(11, 100, "AC Power", true)});
    battery.updateBatteryStatus();

    const std::vector<std::pair<bool, double>> expected = {{true, 79.0}, {false, 11.0}};
    EXPECT_EQ(calls, expected);
}

TEST_F(BatteryMonitorTest, LaunchOnBatterySetsFlagWithoutCallback) {
    setSources({source(50, 100, kPowerSourceBatteryPowerValue, false)});
    auto& battery = monitor();
    EXPECT_TRUE(battery.isOnBattery); // read while creating, before the callback existed
    battery.startMonitoring();
    EXPECT_TRUE(calls.empty());
}

TEST_F(BatteryMonitorTest, ChargeArithmeticAndUnusableCapacities) {
    auto& battery = monitor();
    setSources({source(37, 80, "AC Power", false)});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 46.25);

    setSources({source(10, 0, "AC Power", false)});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 46.25);

    setSources({source(10, -5, "AC Power", false)});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 46.25);

    setSources({PowerSourceDescription{{kPowerSourceCurrentCapacityKey, std::string("10")},
                                       {kPowerSourceMaxCapacityKey, std::int64_t{100}}}});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 46.25);

    setSources({PowerSourceDescription{{kPowerSourceCurrentCapacityKey, std::int64_t{10}},
                                       {kPowerSourceMaxCapacityKey, 100.0}}});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 46.25);
}

TEST_F(BatteryMonitorTest, MissingOrMistypedKeysKeepTheirValues) {
    auto& battery = monitor();
    setSources({source(40, 100, kPowerSourceBatteryPowerValue, true)});
    battery.updateBatteryStatus();
    calls.clear();

    setSources({std::nullopt,
                PowerSourceDescription{{kPowerSourceStateKey, std::int64_t{1}}, {kPowerSourceIsChargingKey, std::string("No")}},
                PowerSourceDescription{}});
    battery.updateBatteryStatus();
    EXPECT_EQ(battery.chargeLevel, 40.0);
    EXPECT_TRUE(battery.isOnBattery);
    EXPECT_TRUE(battery.isCharging);
    EXPECT_TRUE(calls.empty());
}

TEST_F(BatteryMonitorTest, SourcesApplyInOrderAndCallbackSeesTheMomentItFires) {
    auto& battery = monitor();
    std::optional<bool> chargingAtCallback;
    battery.onBatteryStateChanged = [&](bool onBattery, double level) {
        calls.emplace_back(onBattery, level);
        chargingAtCallback = battery.isCharging.get();
    };
    setSources({source(20, 100, "AC Power", true), source(60, 100, kPowerSourceBatteryPowerValue, false)});
    battery.updateBatteryStatus();

    // The second source flips the flag after its charge and before its
    // charging flag was applied; the last source decides every value.
    const std::vector<std::pair<bool, double>> expected = {{true, 60.0}};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(chargingAtCallback, true);
    EXPECT_FALSE(battery.isCharging);
    EXPECT_EQ(battery.chargeLevel, 60.0);
}

TEST_F(BatteryMonitorTest, StateTextMustMatchExactly) {
    auto& battery = monitor();
    setSources({source(50, 100, "battery power", false)});
    battery.updateBatteryStatus();
    EXPECT_FALSE(battery.isOnBattery);
    EXPECT_TRUE(calls.empty());
}

TEST_F(BatteryMonitorTest, CallbackMayReplaceItself) {
    auto& battery = monitor();
    int replaced = 0;
    battery.onBatteryStateChanged = [&](bool, double) { battery.onBatteryStateChanged = [&](bool, double) { ++replaced; }; };
    setSources({source(50, 100, kPowerSourceBatteryPowerValue, false)});
    battery.updateBatteryStatus();
    setSources({source(50, 100, "AC Power", false)});
    battery.updateBatteryStatus();
    EXPECT_EQ(replaced, 1);
}

TEST_F(BatteryMonitorTest, MonitoringPollsEveryTenSecondsUntilStopped) {
    auto& battery = monitor();
    battery.startMonitoring();
    setSources({source(50, 100, kPowerSourceBatteryPowerValue, false)});
    sim.loop.advance(9.9);
    EXPECT_FALSE(battery.isOnBattery);
    sim.loop.advance(0.1);
    EXPECT_TRUE(battery.isOnBattery);
    EXPECT_EQ(calls.size(), 1u);

    battery.stopMonitoring();
    EXPECT_FALSE(battery.timer.isValid());
    setSources({source(50, 100, "AC Power", false)});
    sim.loop.advance(60.0);
    EXPECT_TRUE(battery.isOnBattery);
}

TEST_F(BatteryMonitorTest, RestartingKeepsOneTimerAndDestructionStopsIt) {
    monitor().startMonitoring();
    monitor().startMonitoring();
    EXPECT_EQ(sim.loop.activeTimers(), 1u);
    monitor_.reset();
    EXPECT_EQ(sim.loop.activeTimers(), 0u);
    sim.loop.advance(30.0); // nothing left to fire into
}

} // namespace
} // namespace brillex
