#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "base/Log.h"
#include "boost/BrightnessManager.h"
#include "boost/DisplayManager.h"
#include "controls/SystemBrightness.h"
#include "keys/BrightnessOSD.h"
#include "keys/KeyboardManager.h"
#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"

using namespace brillex;
using brillex::sim::SimComputer;
using Delivery = brillex::sim::SimEventTap::Delivery;

namespace {

constexpr DisplayId kMain = 1;

// The world a key press works on: a built-in XDR panel (1600 nits at full
// boost) as the main display and an ordinary external one.
struct KeyboardManagerTest : ::testing::Test {
    KeyboardManagerTest() {
        Screen builtIn;
        builtIn.displayId = kMain;
        builtIn.name = "Built-in Retina Display";
        builtIn.maxPotentialEDR = 16.0;
        builtIn.maxReferenceEDR = 16.0;
        builtIn.frame = builtIn.visibleFrame = Rect{0, 0, 1440, 900};
        sim.screens.add(builtIn, true);
        Screen external;
        external.displayId = 2;
        external.name = "DELL U2720Q";
        external.frame = external.visibleFrame = Rect{1440, 0, 2560, 1440};
        sim.screens.add(external);
    }

    // Builds the models with the main display's backlight at `brightness`.
    void start(float brightness = 1.0f) {
        sim.displayServices.setBrightness(kMain, brightness);
        displays = std::make_unique<DisplayManager>(sim.screens);
        boost = std::make_unique<BrightnessManager>(*displays, sim.screens, sim.gamma, sim.edrOutput, sim.loop);
        system = std::make_unique<SystemBrightness>(sim.screens, sim.libraries, sim.displayServices, sim.displayServices, sim.loop);
        keys = makeKeys();
        sim.loop.runPending();
        keys->startEventTap();
        ASSERT_TRUE(keys->isIntercepting());
    }

    std::unique_ptr<KeyboardManager> makeKeys() {
        return std::make_unique<KeyboardManager>(
            sim.store, sim.accessibility, sim.eventTap, sim.screens, sim.loop,
            KeyboardManager::Models{[this]() -> BrightnessManager& { return *boost; },
                                    [this]() -> SystemBrightness& { return *system; },
                                    [this]() -> AppSettings& { return settings; },
                                    [this]() -> BatteryMonitor& { return battery; },
                                    [this]() -> BrightnessOSD& { return osd; }});
    }

    Delivery press(std::uint32_t code, bool down = true) {
        const auto delivery = sim.eventTap.inject(sim::SimEventTap::auxiliaryKey(code, down));
        sim.loop.runPending();
        return delivery;
    }
    Delivery up() { return press(KeyboardManager::kKeyBrightnessUp); }
    Delivery down() { return press(KeyboardManager::kKeyBrightnessDown); }

    DisplayBoostState& mainBoost() { return *boost->state(kMain); }
    void boostMain(double level) {
        mainBoost().setBoostEnabled(true);
        mainBoost().setBoostLevel(level);
        sim.loop.runPending();
    }
    float systemLevel() { return system->displayStates.get().at(kMain)->brightness; }
    const std::vector<std::pair<DisplayId, float>>& sent() { return sim.displayServices.sent(); }
    void goOnBattery() {
        sim.powerSources.list = std::vector<PowerSources::Source>{
            PowerSourceDescription{{kPowerSourceStateKey, std::string(kPowerSourceBatteryPowerValue)},
                                   {kPowerSourceCurrentCapacityKey, std::int64_t{80}},
                                   {kPowerSourceMaxCapacityKey, std::int64_t{100}}}};
        battery.updateBatteryStatus();
    }

    SimComputer sim;
    LogCapture log;
    AppSettings settings{sim.store, sim.loginItems};
    BatteryMonitor battery{sim.powerSources, sim.loop};
    BrightnessOSD osd{sim.loop, sim.screens, sim.osdPanel};
    std::unique_ptr<DisplayManager> displays;
    std::unique_ptr<BrightnessManager> boost;
    std::unique_ptr<SystemBrightness> system;
    std::unique_ptr<KeyboardManager> keys;
};

} // namespace

TEST_F(KeyboardManagerTest, InterceptionInstallsOneEnabledTapForSystemDefinedEvents) {
    start();
    EXPECT_EQ(sim.eventTap.lastMask(), 16384u);
    EXPECT_EQ(sim.eventTap.listeningTapCount(), 1u);
    keys->startEventTap();
    EXPECT_EQ(sim.eventTap.creationAttempts(), 1);
    EXPECT_EQ(sim.accessibility.promptCount(), 0);

    keys->stopEventTap();
    EXPECT_FALSE(keys->isIntercepting());
    EXPECT_EQ(sim.eventTap.tapCount(), 0u);
    EXPECT_EQ(up(), Delivery::noTap);
    keys->stopEventTap();

    keys->startEventTap();
    EXPECT_TRUE(keys->isIntercepting());
    keys.reset();
    EXPECT_EQ(sim.eventTap.tapCount(), 0u);
}

TEST_F(KeyboardManagerTest, NoTrustOrARefusedTapInstallsNothingSilently) {
    auto manager = makeKeys();
    sim.accessibility.setTrusted(false);
    manager->startEventTap();
    EXPECT_FALSE(manager->isIntercepting());
    EXPECT_EQ(sim.eventTap.creationAttempts(), 0);
    // Asking the user is the application's business, not the manager's.
    EXPECT_EQ(sim.accessibility.promptCount(), 0);

    sim.accessibility.setTrusted(true);
    sim.eventTap.setCreationFails(true);
    manager->startEventTap();
    EXPECT_FALSE(manager->isIntercepting());
    sim.eventTap.setCreationFails(false);
    manager->startEventTap();
    EXPECT_TRUE(manager->isIntercepting());
    EXPECT_EQ(sim.eventTap.creationAttempts(), 2);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(KeyboardManagerTest, TheStoredGateIsReadOnceAndDefaultsToOpen) {
    sim.store.set("brightnessKeysEnabled", false);
    auto closed = makeKeys();
    EXPECT_FALSE(closed->brightnessKeysEnabled);
    sim.store.set("brightnessKeysEnabled", true);
    closed->startEventTap();
    EXPECT_FALSE(closed->isIntercepting());
    EXPECT_EQ(sim.eventTap.creationAttempts(), 0);

    // The user's setting of a similar name is another key.
    sim.store.remove("brightnessKeysEnabled");
    sim.store.set("brightnessKeyEnabled", false);
    EXPECT_TRUE(makeKeys()->brightnessKeysEnabled);

    sim.store.set("brightnessKeysEnabled", std::string("no"));
    EXPECT_TRUE(makeKeys()->brightnessKeysEnabled);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Setting \"brightnessKeysEnabled\" holds a text instead of a Boolean; using the default true"}));
}

TEST_F(KeyboardManagerTest, BothHalvesOfABrightnessPressAreSwallowedAndOnlyTheKeyDownSteps) {
    start(0.5f);
    const auto event = sim::SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessUp, true);
    EXPECT_EQ(sim.eventTap.inject(event), Delivery::swallowed);
    // The step waits until the filter has returned.
    EXPECT_TRUE(sent().empty());
    sim.loop.runPending();
    EXPECT_EQ(sent().size(), 1u);

    EXPECT_EQ(press(KeyboardManager::kKeyBrightnessUp, false), Delivery::swallowed);
    EXPECT_EQ(press(KeyboardManager::kKeyBrightnessDown, false), Delivery::swallowed);
    EXPECT_EQ(sent().size(), 1u);

    // Holding the key: each auto-repeat key-down is one more step.
    up();
    up();
    EXPECT_FLOAT_EQ(systemLevel(), 0.6875f);
}

TEST_F(KeyboardManagerTest, EveryOtherEventPassesUntouched) {
    start(0.5f);
    for (std::uint32_t code : {0u, 1u, 4u, 7u, 16u, 0x12u}) {
        EXPECT_EQ(press(code), Delivery::passed) << code;
        EXPECT_EQ(press(code, false), Delivery::passed) << code;
    }
    EXPECT_EQ(sim.eventTap.inject(sim::SimEventTap::otherType()), Delivery::passed);
    EXPECT_TRUE(sent().empty());

    using Fields = TapEvent::Fields;
    const std::int64_t upDown = 2 << 16 | 0x0A00;
    // What the mask would not deliver, and what it delivers but is not ours.
    EXPECT_EQ(keys->filterEvent(TapEvent{10, Fields{8, upDown}}), TapVerdict::pass);
    EXPECT_EQ(keys->filterEvent(TapEvent{0xFFFFFFFE, std::nullopt}), TapVerdict::pass);
    EXPECT_EQ(keys->filterEvent(TapEvent{14, std::nullopt}), TapVerdict::pass);
    EXPECT_EQ(keys->filterEvent(TapEvent{14, Fields{7, upDown}}), TapVerdict::pass);
    // Bits above 31 are not looked at.
    EXPECT_EQ(keys->filterEvent(TapEvent{14, Fields{8, std::int64_t{1} << 40 | upDown}}), TapVerdict::swallow);
    EXPECT_EQ(keys->filterEvent(TapEvent{14, Fields{8, -1}}), TapVerdict::pass);
    sim.loop.runPending();
    EXPECT_EQ(sent().size(), 1u);
}

TEST_F(KeyboardManagerTest, SystemBrightnessStepsAndClampsAtBothEnds) {
    const struct {
        float start;
        int key;
        float result;
        const char* text;
    } cases[] = {
        {0.03f, KeyboardManager::kKeyBrightnessDown, 0.0f, "0%"},
        {0.93f, KeyboardManager::kKeyBrightnessUp, 1.0f, "100%"},
        {0.92f, KeyboardManager::kKeyBrightnessUp, 0.9825f, "98%"},
        {0.5f, KeyboardManager::kKeyBrightnessDown, 0.4375f, "43%"},
    };
    start();
    for (const auto& c : cases) {
        sim.displayServices.setBrightness(kMain, c.start);
        system->refreshBrightness();
        sim.loop.runPending();
        press(static_cast<std::uint32_t>(c.key));
        EXPECT_FLOAT_EQ(systemLevel(), c.result) << c.start;
        EXPECT_EQ(sent().back(), (std::pair<DisplayId, float>{kMain, c.result}));
        EXPECT_FALSE(osd.isXDR);
        EXPECT_EQ(osd.text(), c.text) << c.start;
    }
}

TEST_F(KeyboardManagerTest, AtFullBrightnessTheUpKeyRaisesAnOnBoostOfTheMainDisplayOnly) {
    start(1.0f);
    // Boost off: the top is set again.
    up();
    EXPECT_EQ(sent().back(), (std::pair<DisplayId, float>{kMain, 1.0f}));
    EXPECT_EQ(osd.text(), "100%");
    EXPECT_FALSE(mainBoost().isBoostEnabled);

    boostMain(0.45);
    const auto sends = sent().size();
    up();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.5);
    EXPECT_EQ(sent().size(), sends);
    EXPECT_TRUE(osd.isXDR);
    EXPECT_EQ(osd.text(), "+100%");

    boostMain(1.0);
    up();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 1.0);
    EXPECT_EQ(osd.text(), "+200%");
}

TEST_F(KeyboardManagerTest, BelowTheTopTheUpKeyStepsTheSystemBrightnessEvenWithTheBoostOn) {
    start(0.5f);
    boostMain(0.5);
    up();
    EXPECT_FLOAT_EQ(systemLevel(), 0.5625f);
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.5);
    EXPECT_FALSE(osd.isXDR);
}

TEST_F(KeyboardManagerTest, OnBatteryWithOnlyWhileChargingTheBoostDoesNotRise) {
    start(1.0f);
    boostMain(0.5);
    settings.setOnlyWhileCharging(true);
    goOnBattery();
    up();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.5);
    EXPECT_EQ(sent().back(), (std::pair<DisplayId, float>{kMain, 1.0f}));
    EXPECT_FALSE(osd.isXDR);
    EXPECT_EQ(osd.text(), "100%");

    // Either half of the rule alone does not block.
    settings.setOnlyWhileCharging(false);
    up();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.55);
}

TEST_F(KeyboardManagerTest, TheDownKeyLowersTheBoostToZeroBeforeTheSystemBrightness) {
    start(1.0f);
    boostMain(0.05);
    down();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.0);
    EXPECT_TRUE(mainBoost().isBoostEnabled);
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(osd.isXDR);
    EXPECT_EQ(osd.text(), "+0%");

    // At level 0.0 the boost stays on and the system brightness comes down.
    down();
    EXPECT_TRUE(mainBoost().isBoostEnabled);
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.0);
    EXPECT_FLOAT_EQ(systemLevel(), 0.9375f);
    EXPECT_EQ(osd.text(), "93%");
}

TEST_F(KeyboardManagerTest, OnlyTheMainDisplaysBoostIsStepped) {
    start(1.0f);
    sim.screens.setMainDisplay(2);
    boost->state(kMain)->setBoostEnabled(true);
    sim.loop.runPending();
    up();
    EXPECT_DOUBLE_EQ(mainBoost().boostLevel, 0.0);
    EXPECT_EQ(sent().back().first, 2u);
}

TEST_F(KeyboardManagerTest, AMainDisplayWithoutABrightnessStateStillShowsTheStep) {
    start(1.0f);
    sim.screens.setMainDisplay(9);
    down();
    EXPECT_TRUE(sent().empty());
    EXPECT_DOUBLE_EQ(osd.level, 0.9375);
    EXPECT_EQ(osd.text(), "93%");
    ASSERT_NE(sim.osdPanel.current(), nullptr);
    EXPECT_TRUE(sim.osdPanel.current()->visible);
}

TEST_F(KeyboardManagerTest, OtherKeyCodesDoNothingAndQueuedStepsDieWithTheManager) {
    start(0.5f);
    keys->handleBrightnessKey(4, *boost, *system, KeyboardManager::kBrightnessStep);
    sim.loop.runPending();
    EXPECT_TRUE(sent().empty());
    EXPECT_FALSE(osd.isVisible);

    sim.eventTap.inject(sim::SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessUp, true));
    keys.reset();
    sim.loop.runPending();
    EXPECT_TRUE(sent().empty());
}
