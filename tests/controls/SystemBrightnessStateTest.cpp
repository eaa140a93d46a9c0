#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "base/Log.h"
#include "controls/SystemBrightness.h"
#include "platform/sim/SimComputer.h"

namespace brillex {
namespace {

class DisplayBrightnessStateTest : public ::testing::Test {
protected:
    std::unique_ptr<DisplayBrightnessState> makeState(DisplayId id = 3, bool canSet = true) {
        const auto* library = sim.libraries.open(SystemBrightness::kDisplayServicesPath).library;
        return std::make_unique<DisplayBrightnessState>(
            id, false, "Studio", library->function<DisplayBrightnessState::GetSignature>(SystemBrightness::kGetFunctionName),
            canSet ? library->function<DisplayBrightnessState::SetSignature>(SystemBrightness::kSetFunctionName) : std::nullopt,
            sim.screens, sim.loop);
    }
    void addScreen(DisplayId id, double potential, double reference) {
        Screen screen;
        screen.displayId = id;
        screen.maxPotentialEDR = potential;
        screen.maxReferenceEDR = reference;
        sim.screens.add(screen);
    }

    sim::SimComputer sim;
    LogCapture log;
};

TEST_F(DisplayBrightnessStateTest, SetClampsWhatIsSentAndPublishesLater) {
    auto state = makeState();
    EXPECT_TRUE(state->setBrightness(1.7f));
    EXPECT_TRUE(state->setBrightness(-0.2f));
    EXPECT_TRUE(state->setBrightness(std::nanf("")));
    EXPECT_TRUE(state->setBrightness(0.4f));
    const std::vector<std::pair<DisplayId, float>> sent = {{3, 1.0f}, {3, 0.0f}, {3, 1.0f}, {3, 0.4f}};
    EXPECT_EQ(sim.displayServices.sent(), sent);

    EXPECT_EQ(state->brightness, 1.0f);
    sim.loop.runPending();
    EXPECT_EQ(state->brightness, 0.4f);
    EXPECT_FALSE(state->canReadBrightness); // a set is not a read
}

TEST_F(DisplayBrightnessStateTest, RejectedSetIsLoggedAndKeepsTheValue) {
    auto state = makeState(4);
    sim.displayServices.setWriteStatus(4, -536870201);
    EXPECT_FALSE(state->setBrightness(0.5f));
    sim.loop.runPending();
    EXPECT_EQ(state->brightness, 1.0f);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"SystemBrightness: SetBrightness failed for display 4, error: -536870201"});
}

TEST_F(DisplayBrightnessStateTest, WithoutSetFunctionNothingIsSent) {
    auto state = makeState(3, false);
    EXPECT_FALSE(state->setBrightness(0.5f));
    EXPECT_TRUE(sim.displayServices.sent().empty());
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(DisplayBrightnessStateTest, FullBrightnessFromAReadableValue) {
    auto state = makeState();
    addScreen(3, 1.0, 1.0); // headroom would say no; the value decides
    state->updateBrightness(0.99f);
    sim.loop.runPending();
    EXPECT_TRUE(state->isAtFullBrightness());
    state->updateBrightness(0.989f);
    sim.loop.runPending();
    EXPECT_FALSE(state->isAtFullBrightness());
}

TEST_F(DisplayBrightnessStateTest, FullBrightnessFromHeadroomWithoutAReadableValue) {
    auto state = makeState();
    EXPECT_FALSE(state->isAtFullBrightness()); // no screen

    addScreen(3, 4.0, 3.9);
    EXPECT_TRUE(state->isAtFullBrightness());
    sim.screens.find(3)->maxReferenceEDR = 3.0;
    EXPECT_FALSE(state->isAtFullBrightness());
    sim.screens.find(3)->maxPotentialEDR = 1.0;
    sim.screens.find(3)->maxReferenceEDR = 1.0;
    EXPECT_FALSE(state->isAtFullBrightness());
    sim.screens.find(3)->maxPotentialEDR = std::nan("");
    EXPECT_FALSE(state->isAtFullBrightness());
}

TEST_F(DisplayBrightnessStateTest, PercentRoundsHalvesAwayFromZero) {
    auto state = makeState();
    for (const auto& [value, percent] : std::vector<std::pair<float, int>>{{0.125f, 13}, {0.0f, 0}, {1.0f, 100}, {0.994f, 99}}) {
        state->updateBrightness(value);
        sim.loop.runPending();
        EXPECT_EQ(state->brightnessPercent(), percent) << value;
    }
}

TEST_F(DisplayBrightnessStateTest, TasksOfADroppedStateDoNothing) {
    auto state = makeState();
    state->updateBrightness(0.2f);
    state->setBrightness(0.3f);
    state.reset();
    sim.loop.runPending(); // would write into freed memory
}

} // namespace
} // namespace brillex
