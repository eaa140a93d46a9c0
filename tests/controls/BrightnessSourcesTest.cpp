// Each display's own brightness source on the simulated computer: none, the
// library, or a slow bus whose reads and writes take time of the loop's clock.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "base/Log.h"
#include "controls/SystemBrightness.h"
#include "platform/sim/SimComputer.h"
#include "support/TestScreens.h"

namespace brillex {
namespace {

using Source = sim::SimDisplayServices::Source;
constexpr double kBusDelay = 0.05;

class BrightnessSourcesTest : public ::testing::Test {
protected:
    BrightnessSourcesTest() {
        sim.screens.add(test::screenOf(1, "Built-in", 2.0), true);
        sim.screens.add(test::screenOf(2, "Monitor", 2.0));
    }
    SystemBrightness& brightness() {
        if (!brightness_) {
            brightness_ = std::make_unique<SystemBrightness>(sim.screens, sim.libraries, sim.displayServices,
                                                             sim.displayServices, sim.loop);
            sim.loop.runPending();
        }
        return *brightness_;
    }
    DisplayBrightnessState& state(DisplayId id) { return *brightness().displayStates.get().at(id); }
    // The monitor on a slow bus, read once.
    void slowMonitor(float value) {
        sim.displayServices.setBrightness(2, value);
        sim.displayServices.setSource(2, Source::slow, kBusDelay);
        brightness();
        sim.loop.advance(kBusDelay);
    }
    std::size_t writesTo(DisplayId id) {
        return std::count_if(sim.displayServices.sent().begin(), sim.displayServices.sent().end(),
                             [id](const auto& sent) { return sent.first == id; });
    }

    sim::SimComputer sim;
    LogCapture log;
    std::unique_ptr<SystemBrightness> brightness_;
};

TEST_F(BrightnessSourcesTest, ADisplayWithoutASourceHasNoFunctionsAndAGainedSourceMakesAFreshState) {
    sim.displayServices.setSource(2, Source::none);
    sim.displayServices.setBrightness(2, 0.4f);
    EXPECT_TRUE(state(1).getBrightnessFunc && state(1).setBrightnessFunc);
    EXPECT_FALSE(state(2).getBrightnessFunc || state(2).setBrightnessFunc);
    EXPECT_FALSE(state(2).canReadBrightness);
    const auto before = brightness().displayStates.get().at(2);

    sim.displayServices.setSource(2, Source::library);
    EXPECT_NE(brightness().displayStates.get().at(2), before);
    EXPECT_TRUE(state(2).setBrightnessFunc);
    sim.loop.runPending();
    EXPECT_EQ(state(2).brightness, 0.4f);
    EXPECT_TRUE(state(2).canReadBrightness);
    EXPECT_EQ(state(2).name, "Monitor");
}

TEST_F(BrightnessSourcesTest, ASlowBusIsReadWithoutWaitingAndItsFirstValueArrivesOnItsOwn) {
    sim.displayServices.setBrightness(2, 0.3f);
    sim.displayServices.setSource(2, Source::slow, kBusDelay);
    EXPECT_TRUE(state(2).getBrightnessFunc && state(2).setBrightnessFunc);
    EXPECT_FALSE(state(2).canReadBrightness);
    EXPECT_EQ(state(2).brightness, 1.0f);
    sim.loop.advance(kBusDelay);
    EXPECT_TRUE(state(2).canReadBrightness);
    EXPECT_EQ(state(2).brightness, 0.3f);

    // The monitor's own buttons: the next poll asks, the reading comes a bus delay later.
    sim.displayServices.setBrightness(2, 0.6f);
    brightness().startObserving();
    sim.loop.advance(SystemBrightness::kObserveInterval + kBusDelay);
    EXPECT_EQ(state(2).brightness, 0.6f);
}

TEST_F(BrightnessSourcesTest, ADragSendsAFewWritesEndsOnItsLastValueAndTheSliderNeverJumpsBack) {
    slowMonitor(1.0f);
    brightness().startObserving();
    // 100 moves over one second, down from 1.0 to 0.01.
    for (int move = 1; move <= 100; ++move) {
        const float value = 1.0f - 0.0099f * static_cast<float>(move);
        EXPECT_TRUE(state(2).setBrightness(value));
        sim.loop.advance(0.01);
        EXPECT_EQ(state(2).brightness, value) << "after move " << move;
    }
    sim.loop.advance(1.0);
    const float last = 1.0f - 0.0099f * 100.0f;
    EXPECT_EQ(sim.displayServices.brightness(2), last);
    EXPECT_EQ(state(2).brightness, last);
    EXPECT_GE(writesTo(2), 4u);
    EXPECT_LE(writesTo(2), 1 + static_cast<std::size_t>(1.0 / QueuedBrightnessSource::kWriteInterval) + 1);
    EXPECT_EQ(sim.displayServices.sent().back(), std::make_pair(DisplayId{2}, last));
}

TEST_F(BrightnessSourcesTest, AFailingBusIsLoggedOnceLosesItsSourceAndIsTriedAgainAtTheNextScreenChange) {
    slowMonitor(0.5f);
    sim.displayServices.setWriteStatus(2, 121);
    EXPECT_TRUE(state(2).setBrightness(0.8f));
    EXPECT_TRUE(state(2).setBrightness(0.7f));
    sim.loop.advance(1.0);
    EXPECT_EQ(log.lines().back(),
              "Sim: the brightness bus of display 2 failed with status 121; no source until the screens change");
    EXPECT_FALSE(state(2).setBrightnessFunc);
    EXPECT_FALSE(state(2).setBrightness(0.2f));
    EXPECT_EQ(writesTo(2), 1u);
    brightness().refreshDisplays();
    EXPECT_FALSE(state(2).setBrightnessFunc);

    sim.displayServices.setWriteStatus(2, 0);
    sim.screens.notifyScreenChange();
    sim.loop.advance(kBusDelay);
    EXPECT_TRUE(state(2).setBrightnessFunc);
    EXPECT_EQ(state(2).brightness, 0.5f);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(), log.lines().back()), 1);

    // A reading that fails ends the source as a write does.
    sim.displayServices.setReadStatus(2, -1);
    brightness().refreshBrightness();
    sim.loop.advance(kBusDelay);
    EXPECT_FALSE(state(2).getBrightnessFunc);
}

} // namespace
} // namespace brillex
