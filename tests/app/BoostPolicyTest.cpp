#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>

#include "AppWorld.h"
#include "base/Log.h"

using namespace brillex;
using brillex::test::AppWorld;

namespace {

// Launched at t=0, so the auto-off check ticks at every whole second.
struct AutoOffTest : ::testing::Test {
    AutoOffTest() {
        world.settings().setAutoOffTimer(true);
        world.launch();
    }
    AppWorld world;
};

TEST_F(AutoOffTest, SwitchesOffAtTheFirstTickAtOrPastTheLimitCountedFromTheFirstTickThatSawTheBoost) {
    world.runUntil(0.5);
    world.boost(1, true);
    world.runUntil(1.0);
    EXPECT_EQ(world.policy().boostStartTime(), 1.0);
    // A second display later does not restart the period.
    world.runUntil(1201.5);
    world.boost(2, true);
    world.runUntil(1800.0);
    EXPECT_TRUE(world.boosted(1));
    EXPECT_TRUE(world.boosted(2));
    EXPECT_EQ(world.policy().boostStartTime(), 1.0);
    world.runUntil(1801.0);
    EXPECT_FALSE(world.boosted(1));
    EXPECT_FALSE(world.boosted(2));
    EXPECT_EQ(world.manager().state(1)->boostLevel.get(), 0.0);
    EXPECT_FALSE(world.policy().boostStartTime());
    EXPECT_FALSE(world.policy().wasBoostEnabled());
}

TEST_F(AutoOffTest, AllOffEndsThePeriodAndTheNextBoostStartsANewOne) {
    world.boost(1, true);
    world.runUntil(1200.0);
    world.boost(1, false);
    world.runUntil(1201.0);
    EXPECT_FALSE(world.policy().boostStartTime());
    EXPECT_FALSE(world.policy().wasBoostEnabled());
    world.boost(1, true);
    world.runUntil(3001.0);
    EXPECT_TRUE(world.boosted(1));
    world.runUntil(3002.0);
    EXPECT_FALSE(world.boosted(1));
}

TEST_F(AutoOffTest, ZeroMinutesSwitchesOffAtTheFirstTick) {
    world.settings().setTimerMinutes(0);
    world.boost(1, true);
    world.runUntil(1.0);
    EXPECT_FALSE(world.boosted(1));
}

TEST_F(AutoOffTest, AChangedLimitAppliesToTheRunningPeriodAtTheNextTick) {
    world.settings().setTimerMinutes(1);
    world.boost(1, true);
    world.runUntil(30.0);
    world.settings().setTimerMinutes(2);
    world.runUntil(61.0);
    EXPECT_TRUE(world.boosted(1));
    world.runUntil(120.0);
    EXPECT_TRUE(world.boosted(1));
    world.settings().setTimerMinutes(1);
    world.runUntil(121.0);
    EXPECT_FALSE(world.boosted(1));
}

TEST(AutoOff, OffSettingNeverSwitchesOffButTheTrackingRunsSoSwitchingItOnActsAtOnce) {
    AppWorld world;
    world.launch();
    world.boost(1, true);
    world.runUntil(2400.0);
    EXPECT_TRUE(world.boosted(1));
    EXPECT_EQ(world.policy().boostStartTime(), 1.0);
    world.settings().setAutoOffTimer(true);
    world.runUntil(2401.0);
    EXPECT_FALSE(world.boosted(1));
}

TEST_F(AutoOffTest, ANegativeStoredLimitCountsAsZeroAndIsReportedOnce) {
    LogCapture log;
    world.settings().setTimerMinutes(-5);
    world.boost(1, true);
    world.runUntil(1.0);
    EXPECT_FALSE(world.boosted(1));
    world.boost(1, true);
    world.runUntil(2.0);
    EXPECT_FALSE(world.boosted(1));
    world.settings().setTimerMinutes(std::numeric_limits<long long>::min());
    world.boost(1, true);
    world.runUntil(3.0);
    EXPECT_FALSE(world.boosted(1));
    std::vector<std::string> reports;
    std::copy_if(log.lines().begin(), log.lines().end(), std::back_inserter(reports),
                 [](const std::string& line) { return line.starts_with("Auto-off"); });
    EXPECT_EQ(reports, (std::vector<std::string>{
                               "Auto-off: timerMinutes -5 is negative; switching off at once",
                               "Auto-off: timerMinutes -9223372036854775808 is negative; switching off at once"}));
}

TEST_F(AutoOffTest, AHugeStoredLimitDoesNotOverflowAndNeverEnds) {
    world.settings().setTimerMinutes(std::numeric_limits<long long>::max());
    world.boost(1, true);
    world.runUntil(7.0 * 24 * 3600);
    EXPECT_TRUE(world.boosted(1));
}

// Power: 1000 units of capacity, so 195 is 19.5 %.
struct BatteryRulesTest : ::testing::Test {
    void launchOn(int charge, bool onBattery) {
        world.power(charge, onBattery);
        world.launch();
        world.boost(1, true);
        world.boost(2, true);
    }
    AppWorld world;
};

TEST_F(BatteryRulesTest, OnlyWhileChargingSwitchesOffOnUnplugAndNothingBackOnWhenPluggedIn) {
    world.settings().setOnlyWhileCharging(true);
    launchOn(800, false);
    world.power(800, true);
    world.poll();
    EXPECT_FALSE(world.boosted(1));
    EXPECT_FALSE(world.boosted(2));
    world.power(800, false);
    world.poll();
    EXPECT_FALSE(world.boosted(1));
    EXPECT_FALSE(world.boosted(2));
}

TEST_F(BatteryRulesTest, OnlyWhileChargingOffLeavesTheBoostOnBattery) {
    launchOn(800, false);
    world.power(800, true);
    world.poll();
    EXPECT_TRUE(world.boosted(1));
}

TEST_F(BatteryRulesTest, LowBatteryIsStrictlyBelowTheThreshold) {
    world.settings().setAutoOffLowBattery(true);
    launchOn(200, false);
    world.power(200, true);
    world.poll();
    EXPECT_TRUE(world.boosted(1));

    world.power(195, false);
    world.poll();
    EXPECT_FALSE(world.boosted(1));
    EXPECT_FALSE(world.boosted(2));
}

TEST_F(BatteryRulesTest, LowBatteryAlsoAppliesOnPluggingIn) {
    world.settings().setAutoOffLowBattery(true);
    launchOn(150, true);  // launched on battery: no report yet
    EXPECT_TRUE(world.boosted(1));
    world.power(150, false);
    world.poll();
    EXPECT_FALSE(world.boosted(1));
}

TEST_F(BatteryRulesTest, AChargeFallingWhileOnBatteryTriggersNothing) {
    world.settings().setAutoOffLowBattery(true);
    launchOn(250, false);
    world.power(250, true);
    world.poll();
    world.power(100, true);
    world.poll();
    EXPECT_TRUE(world.boosted(1));
}

TEST_F(BatteryRulesTest, TheRulesReadTheSettingsAtEachReport) {
    launchOn(150, false);
    world.settings().setAutoOffLowBattery(true);
    world.settings().setLowBatteryPercent(10);
    world.power(150, true);
    world.poll();
    EXPECT_TRUE(world.boosted(1));
    world.settings().setLowBatteryPercent(16);
    world.power(150, false);
    world.poll();
    EXPECT_FALSE(world.boosted(1));
}

TEST(KeySwitch, StartsWithTheSettingAndTrustAndStopsAtOnceWhenTheSettingGoesOff) {
    AppWorld world;
    world.launch();
    EXPECT_EQ(std::count(world.created.begin(), world.created.end(), "KeyboardManager"), 0);
    world.settings().setBrightnessKeyEnabled(true);
    world.sim.loop.runPending();
    EXPECT_TRUE(world.keyboard().isIntercepting());
    EXPECT_TRUE(world.policy().keyboardMonitoringEnabled());
    world.settings().setBrightnessKeyEnabled(false);
    world.sim.loop.runPending();
    EXPECT_FALSE(world.keyboard().isIntercepting());
    EXPECT_FALSE(world.policy().keyboardMonitoringEnabled());
    EXPECT_EQ(world.sim.accessibility.promptCount(), 0);
}

TEST(KeySwitch, WithoutTrustAsksTheSystemAndTheNextSettingsChangeRetries) {
    AppWorld world;
    world.settings().setBrightnessKeyEnabled(true);
    world.sim.loop.runPending();  // that write's notification predates the launch
    world.sim.accessibility.setTrusted(false);
    world.launch();
    EXPECT_FALSE(world.policy().keyboardMonitoringEnabled());
    EXPECT_EQ(world.sim.accessibility.promptCount(), 1);
    EXPECT_EQ(world.sim.eventTap.creationAttempts(), 0);

    // Any write to the store re-runs the check: still untrusted, asked again.
    world.settings().setTimerMinutes(10);
    world.sim.loop.runPending();
    EXPECT_EQ(world.sim.accessibility.promptCount(), 2);

    world.sim.accessibility.setTrusted(true);
    world.settings().setLowBatteryPercent(25);
    world.sim.loop.runPending();
    EXPECT_TRUE(world.keyboard().isIntercepting());
    EXPECT_TRUE(world.policy().keyboardMonitoringEnabled());
    EXPECT_EQ(world.sim.accessibility.promptCount(), 2);
}

TEST(KeySwitch, AFailedTapCountsAsRunningUntilTheSettingIsSwitchedOffAndOn) {
    AppWorld world;
    world.settings().setBrightnessKeyEnabled(true);
    world.sim.eventTap.setCreationFails(true);
    world.launch();
    EXPECT_TRUE(world.policy().keyboardMonitoringEnabled());
    EXPECT_FALSE(world.keyboard().isIntercepting());
    world.sim.eventTap.setCreationFails(false);
    world.settings().setTimerMinutes(10);
    world.sim.loop.runPending();
    EXPECT_EQ(world.sim.eventTap.creationAttempts(), 1);
    world.settings().setBrightnessKeyEnabled(false);
    world.sim.loop.runPending();
    world.settings().setBrightnessKeyEnabled(true);
    world.sim.loop.runPending();
    EXPECT_TRUE(world.keyboard().isIntercepting());
    EXPECT_EQ(world.sim.eventTap.creationAttempts(), 2);
}

} // namespace
