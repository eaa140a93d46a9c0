#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "base/Log.h"
#include "controls/SystemBrightness.h"
#include "platform/sim/SimComputer.h"

namespace brillex {
namespace {

using Library = sim::SimDisplayServices::Library;

Screen screen(DisplayId id, std::string name, double potential = 1.0, double reference = 1.0) {
    Screen s;
    s.displayId = id;
    s.name = std::move(name);
    s.maxPotentialEDR = potential;
    s.maxReferenceEDR = reference;
    return s;
}

class SystemBrightnessTest : public ::testing::Test {
protected:
    SystemBrightness& brightness() {
        if (!brightness_) {
            brightness_ = std::make_unique<SystemBrightness>(sim.screens, sim.libraries, sim.displayServices, sim.displayServices, sim.loop);
            sim.loop.runPending();
        }
        return *brightness_;
    }
    DisplayBrightnessState& state(DisplayId id) { return *brightness().displayStates.get().at(id); }

    sim::SimComputer sim;
    LogCapture log;
    std::unique_ptr<SystemBrightness> brightness_;
};

TEST_F(SystemBrightnessTest, LoadingLogsEachFunction) {
    brightness();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SystemBrightness: GetBrightness loaded",
                                                     "SystemBrightness: SetBrightness loaded"}));
}

TEST_F(SystemBrightnessTest, MissingLibraryLogsThePlatformTextAndLeavesBothAbsent) {
    sim.displayServices.setLibrary(Library::absent);
    auto& system = brightness();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "SystemBrightness: Failed to load DisplayServices - dlopen(/System/Library/PrivateFrameworks/"
                               "DisplayServices.framework/DisplayServices, 0x0002): image not found"}));
    EXPECT_FALSE(system.getBrightnessFunc);
    EXPECT_FALSE(system.setBrightnessFunc);
}

TEST_F(SystemBrightnessTest, MissingFunctionsAreLoggedSeparately) {
    sim.displayServices.setLibrary(Library::noGet);
    brightness();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SystemBrightness: Failed to load GetBrightness",
                                                     "SystemBrightness: SetBrightness loaded"}));
    brightness_.reset();
    log.clear();
    sim.displayServices.setLibrary(Library::noSet);
    brightness();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"SystemBrightness: GetBrightness loaded",
                                                     "SystemBrightness: Failed to load SetBrightness"}));
}

TEST_F(SystemBrightnessTest, InitialReadIsPublishedOnALaterTurn) {
    sim.screens.add(screen(1, "Built-in"), true);
    sim.screens.add(screen(2, "External"));
    sim.displayServices.setBrightness(2, 0.25f);
    brightness_ = std::make_unique<SystemBrightness>(sim.screens, sim.libraries, sim.displayServices, sim.displayServices, sim.loop);
    EXPECT_EQ(state(2).brightness, 1.0f);
    EXPECT_FALSE(state(2).canReadBrightness);
    sim.loop.runPending();
    EXPECT_EQ(state(2).brightness, 0.25f);
    EXPECT_TRUE(state(2).canReadBrightness);
    EXPECT_TRUE(state(1).isBuiltIn);
    EXPECT_EQ(state(1).name, "Built-in");
}

TEST_F(SystemBrightnessTest, UnnumberedScreensGetNoState) {
    Screen unnumbered;
    unnumbered.name = "Projector";
    sim.screens.add(unnumbered);
    EXPECT_TRUE(brightness().displayStates.get().empty());
}

TEST_F(SystemBrightnessTest, BuiltInFallsBackToDisplayConnectExternalDoesNot) {
    sim.screens.add(screen(1, "Built-in"), true);
    sim.screens.add(screen(2, "External"));
    sim.displayServices.setLibrary(Library::absent);
    sim.displayServices.displayConnect = {std::nullopt, 0.4f, 0.9f}; // the first that answers speaks
    brightness();
    EXPECT_EQ(state(1).brightness, 0.4f);
    EXPECT_TRUE(state(1).canReadBrightness);
    EXPECT_FALSE(state(2).canReadBrightness);

    sim.displayServices.displayConnectQueryFails = true;
    sim.displayServices.displayConnect = {0.7f};
    brightness().refreshBrightness();
    sim.loop.runPending();
    EXPECT_EQ(state(1).brightness, 0.4f);
}

TEST_F(SystemBrightnessTest, FailedReadFallsBackForBuiltInAndKeepsReadableFlag) {
    sim.screens.add(screen(1, "Built-in"), true);
    sim.screens.add(screen(2, "External"));
    sim.displayServices.setBrightness(2, 0.5f);
    brightness();
    ASSERT_TRUE(state(2).canReadBrightness);

    sim.displayServices.setReadStatus(1, 7);
    sim.displayServices.setReadStatus(2, 7);
    sim.displayServices.setBrightness(2, 0.1f);
    sim.displayServices.displayConnect = {0.3f};
    brightness().refreshBrightness();
    sim.loop.runPending();
    EXPECT_EQ(state(1).brightness, 0.3f);
    EXPECT_EQ(state(2).brightness, 0.5f);
    EXPECT_TRUE(state(2).canReadBrightness);
    EXPECT_EQ(log.lines().size(), 2u); // failed reads are silent
}

TEST_F(SystemBrightnessTest, StrangeReadingsAreClampedOrIgnored) {
    sim.screens.add(screen(1, "Built-in"), true);
    sim.displayServices.setBrightness(1, 1.5f);
    brightness();
    EXPECT_EQ(state(1).brightness, 1.0f);

    sim.displayServices.setBrightness(1, std::nanf(""));
    sim.displayServices.displayConnect = {0.6f};
    brightness().refreshBrightness();
    sim.loop.runPending();
    EXPECT_EQ(state(1).brightness, 0.6f); // not a number: read through the fallback instead
    EXPECT_EQ(state(1).brightnessPercent(), 60);
}

TEST_F(SystemBrightnessTest, ScreenChangesAddFreshStatesAndDropRemovedOnes) {
    sim.screens.add(screen(1, "Built-in"), true);
    sim.screens.add(screen(2, "External"));
    sim.displayServices.setBrightness(2, 0.5f);
    brightness();
    auto kept = brightness().displayStates.get().at(1);

    sim.screens.remove(2);
    sim.displayServices.setReadStatus(2, 1); // the unplugged display answers nothing when back
    sim.screens.notifyScreenChange();
    EXPECT_EQ(brightness().displayStates.get().count(2), 0u);
    EXPECT_EQ(brightness().displayStates.get().at(1), kept);

    sim.screens.add(screen(2, "External"));
    sim.screens.notifyScreenChange();
    sim.loop.runPending();
    EXPECT_EQ(state(2).brightness, 1.0f);
    EXPECT_FALSE(state(2).canReadBrightness);
}

TEST_F(SystemBrightnessTest, ValueReadForARemovedStateIsDropped) {
    sim.screens.add(screen(2, "External"));
    brightness();
    sim.displayServices.setBrightness(2, 0.2f);
    brightness().refreshBrightness(); // posts the value
    sim.screens.remove(2);
    sim.screens.notifyScreenChange(); // the state goes before the task runs
    sim.loop.runPending();
    EXPECT_TRUE(brightness().displayStates.get().empty());
}

TEST_F(SystemBrightnessTest, ObservingPollsEveryHalfSecondUntilStopped) {
    sim.screens.add(screen(2, "External"));
    auto& system = brightness();
    system.startObserving();
    system.startObserving();
    EXPECT_EQ(sim.loop.activeTimers(), 1u);

    sim.displayServices.setBrightness(2, 0.3f);
    sim.loop.advance(0.4);
    EXPECT_EQ(state(2).brightness, 1.0f);
    sim.loop.advance(0.1);
    EXPECT_EQ(state(2).brightness, 0.3f);

    system.stopObserving();
    EXPECT_FALSE(system.observerTimer.isValid());
    sim.displayServices.setBrightness(2, 0.8f);
    sim.loop.advance(5.0);
    EXPECT_EQ(state(2).brightness, 0.3f);

    system.startObserving();
    brightness_.reset();
    EXPECT_EQ(sim.loop.activeTimers(), 0u);
}

TEST_F(SystemBrightnessTest, MainDisplayBrightnessFollowsTheMainDisplay) {
    EXPECT_EQ(brightness().mainDisplayBrightness(), 1.0f);
    brightness_.reset();
    sim.screens.add(screen(1, "Built-in"), true);
    sim.screens.add(screen(2, "External"));
    sim.displayServices.setBrightness(2, 0.75f);
    sim.screens.setMainDisplay(2);
    EXPECT_EQ(brightness().mainDisplayBrightness(), 0.75f);
    sim.screens.setMainDisplay(9);
    EXPECT_EQ(brightness().mainDisplayBrightness(), 1.0f);
}

} // namespace
} // namespace brillex
