#include "boost/BrightnessManager.h"

#include <gtest/gtest.h>

#include "base/Log.h"
#include "BoostTestSupport.h"

namespace brillex {
namespace {

class BrightnessManagerTest : public ::testing::Test {
protected:
    void addBuiltIn() { sim.screens.add(test::screenOf(1, "Built-in Retina Display", 16.0), true); }
    void addExternal() { sim.screens.add(test::screenOf(2, "Pro Display XDR", 4.0, Rect{1440, 0, 6016, 3384})); }

    BrightnessManager& start() {
        displays = std::make_unique<DisplayManager>(sim.screens);
        manager = std::make_unique<BrightnessManager>(*displays, sim.screens, sim.gamma, sim.edrOutput, sim.loop);
        return *manager;
    }

    sim::SimComputer sim;
    LogCapture log;
    std::unique_ptr<DisplayManager> displays;
    std::unique_ptr<BrightnessManager> manager;
};

TEST_F(BrightnessManagerTest, NoEdrDisplayMeansNoStates) {
    sim.screens.add(test::screenOf(3, "Office Monitor", 1.0));
    auto& m = start();
    EXPECT_TRUE(m.displayStates->empty());
    EXPECT_EQ(m.builtInDisplayState(), nullptr);
    EXPECT_FALSE(m.isMainDisplayBoosted());
    EXPECT_EQ(m.mainDisplayBoostLevel(), 0.0);
    m.disableAllBoosts();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Displays detected: 1", "Displays detected: 1"}));
}

TEST_F(BrightnessManagerTest, OneStatePerXdrDisplay) {
    addBuiltIn();
    sim.screens.add(test::screenOf(3, "Office Monitor", 1.0));
    addExternal();
    auto& m = start();
    EXPECT_EQ(m.stateIds(), (std::vector<DisplayId>{1, 2}));
    for (const auto& [id, state] : m.displayStates.get()) EXPECT_EQ(state->id, id);
    ASSERT_NE(m.builtInDisplayState(), nullptr);
    EXPECT_EQ(m.builtInDisplayState()->id, 1u);
}

TEST_F(BrightnessManagerTest, ScreenChangeWithTheSameDisplaysKeepsEveryState) {
    addBuiltIn();
    addExternal();
    auto& m = start();
    auto* first = m.state(1);
    first->setBoostEnabled(true);
    first->setBoostLevel(0.5);
    sim.screens.find(2)->frame = Rect{-1440, 0, 6016, 3384}; // rearranged
    log.clear();
    sim.screens.notifyScreenChange();
    EXPECT_EQ(m.state(1), first);
    EXPECT_TRUE(first->isBoostEnabled.get());
    EXPECT_EQ(first->boostLevel.get(), 0.5);
    EXPECT_NE(first->overlayView, nullptr);
    // Once for the display manager's own refresh, once for the synchronisation.
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Displays detected: 2", "Displays detected: 2"}));
}

TEST_F(BrightnessManagerTest, UnpluggedBoostedDisplayIsSwitchedOffBeforeItIsDropped) {
    addBuiltIn();
    addExternal();
    auto& m = start();
    m.state(1)->setBoostEnabled(true);
    m.state(1)->setBoostLevel(1.0);
    m.state(2)->setBoostEnabled(true);
    m.state(2)->setBoostLevel(0.5);
    sim.screens.remove(2);
    log.clear();
    sim.screens.notifyScreenChange();
    // The level-0 write and the restore go to a display that is gone: the
    // refused table is kept for when it is back.
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Displays detected: 1", "Displays detected: 1",
                                                     "Gamma restored: display=2",
                                                     "Gamma restore refused: display=2, kept to write back later",
                                                     "XDR Boost Disabled for display: 2"}));
    EXPECT_EQ(m.state(2), nullptr);
    EXPECT_EQ(sim.edrOutput.overlay(2), nullptr);
    EXPECT_TRUE(m.state(1)->isBoostEnabled.get());
    EXPECT_NE(sim.edrOutput.overlay(1), nullptr);
    EXPECT_EQ(sim.gamma.table(1).red[255], boostedGammaValue(1.0f, 3.2f));

    // Plugged in again, it still shows the boost until its own table goes back.
    addExternal();
    EXPECT_NE(sim.gamma.table(2).red, sim::SimGamma::identity().red);
    sim.screens.notifyScreenChange();
    EXPECT_EQ(sim.gamma.table(2).red, sim::SimGamma::identity().red);
    m.state(2)->setBoostEnabled(true);
    EXPECT_EQ(m.state(2)->originalGammaTable->red[255], 1.0f) << "the next boost saves the display's own table";
}

TEST_F(BrightnessManagerTest, DisplayLosingHeadroomGetsItsTableBack) {
    addBuiltIn();
    addExternal();
    auto& m = start();
    m.state(2)->setBoostEnabled(true);
    m.state(2)->setBoostLevel(1.0);
    sim.screens.find(2)->maxPotentialEDR = 1.0;
    log.clear();
    sim.screens.notifyScreenChange();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Displays detected: 2", "Displays detected: 2",
                                                     "Gamma applied: display=2, boost=1.0",
                                                     "Gamma restored: display=2",
                                                     "XDR Boost Disabled for display: 2"}));
    EXPECT_EQ(sim.gamma.table(2).red[255], 1.0f);
    EXPECT_EQ(m.stateIds(), std::vector<DisplayId>{1});
}

TEST_F(BrightnessManagerTest, ReturningDisplayGetsAFreshState) {
    addBuiltIn();
    addExternal();
    auto& m = start();
    m.state(2)->setBoostLevel(0.8);
    const Screen external = *sim.screens.find(2);
    sim.screens.remove(2);
    m.syncDisplayStates();
    sim.screens.add(external);
    m.syncDisplayStates();
    ASSERT_NE(m.state(2), nullptr);
    EXPECT_EQ(m.state(2)->boostLevel.get(), 0.0);
    EXPECT_FALSE(m.state(2)->isBoostEnabled.get());
}

TEST_F(BrightnessManagerTest, DisableAllSwitchesEveryStateOffAtLevelZero) {
    addBuiltIn();
    addExternal();
    auto& m = start();
    m.state(1)->setBoostEnabled(true);
    m.state(1)->setBoostLevel(0.7);
    m.state(2)->setBoostLevel(0.4); // stays off
    log.clear();
    m.disableAllBoosts();
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Gamma applied: display=1, boost=1.0", "Gamma restored: display=1",
                                                     "XDR Boost Disabled for display: 1"}));
    for (const auto id : {1u, 2u}) {
        EXPECT_FALSE(m.state(id)->isBoostEnabled.get());
        EXPECT_EQ(m.state(id)->boostLevel.get(), 0.0);
    }
    EXPECT_EQ(m.stateIds().size(), 2u);
    EXPECT_EQ(sim.edrOutput.visibleCount(), 0u);
}

TEST_F(BrightnessManagerTest, MainDisplayReadOutsFollowOnlyTheMainDisplay) {
    sim.screens.add(test::screenOf(3, "Office Monitor", 1.0)); // main, no headroom
    addExternal();
    auto& m = start();
    m.state(2)->setBoostEnabled(true);
    m.state(2)->setBoostLevel(0.6);
    EXPECT_FALSE(m.isMainDisplayBoosted());
    EXPECT_EQ(m.mainDisplayBoostLevel(), 0.0);
    sim.screens.setMainDisplay(2);
    EXPECT_TRUE(m.isMainDisplayBoosted());
    EXPECT_EQ(m.mainDisplayBoostLevel(), 0.6);
}

TEST_F(BrightnessManagerTest, StateChangesAreAnnouncedByTheManager) {
    addBuiltIn();
    auto& m = start();
    int announcements = 0;
    auto watch = m.objectWillChange().connect([&] { ++announcements; });
    m.state(1)->setBoostLevel(0.3);
    EXPECT_EQ(announcements, 1);
    m.state(1)->setBoostEnabled(true);
    EXPECT_GT(announcements, 1);
}

TEST_F(BrightnessManagerTest, InsertionsAndRemovalsAreAnnouncedOnceEach) {
    auto& m = start();
    int announcements = 0;
    auto watch = m.objectWillChange().connect([&] { ++announcements; });
    addBuiltIn();
    addExternal();
    m.syncDisplayStates();
    EXPECT_EQ(announcements, 2);
    sim.screens.remove(1);
    sim.screens.remove(2);
    announcements = 0;
    m.syncDisplayStates();
    // Each leaving state: its level and flag changes, then the removal.
    EXPECT_GE(announcements, 2);
    EXPECT_TRUE(m.displayStates->empty());
}

} // namespace
} // namespace brillex
