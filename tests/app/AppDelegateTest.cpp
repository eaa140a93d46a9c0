#include <gtest/gtest.h>

#include <algorithm>

#include "AppWorld.h"

using namespace brillex;
using brillex::test::AppWorld;

namespace {

TEST(Launch, BuildsTheStatusItemAndPopoverThenWiresThePolicyInOrder) {
    AppWorld world;
    world.launch();

    const auto* item = world.sim.statusBar.item();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->length, StatusBar::variableLength);
    EXPECT_EQ(item->image, "sun.max.fill");
    EXPECT_EQ(item->accessibilityDescription, "Brillex");
    EXPECT_TRUE(item->action);

    const auto* popover = world.sim.popovers.popover();
    ASSERT_NE(popover, nullptr);
    EXPECT_EQ(popover->behavior, PopoverBehavior::applicationDefined);
    EXPECT_TRUE(popover->animates);
    EXPECT_TRUE(popover->contentHosted);
    EXPECT_FALSE(popover->shown);

    EXPECT_TRUE(world.delegate().hasEventMonitor());
    EXPECT_EQ(world.sim.eventMonitor.monitorCount(), 1u);
    EXPECT_TRUE(world.battery().onBatteryStateChanged);
    EXPECT_TRUE(world.battery().timer.isValid());
    EXPECT_TRUE(world.policy().autoOffTimer().isValid());
    // Key interception is off by default, so the key manager is not made;
    // nor is the system-brightness model until the popover opens.
    EXPECT_EQ(world.created,
              (std::vector<std::string>{"BatteryMonitor", "AppSettings", "DisplayManager", "BrightnessManager"}));
    EXPECT_EQ(world.manager().stateIds(), (std::vector<DisplayId>{1, 2}));
}

TEST(Launch, ModelsComeToBeAfterTheShellIsBuilt) {
    AppWorld world;
    bool popoverAndMonitorFirst = false;
    auto models = world.models();
    auto manager = models.brightnessManager;
    models.brightnessManager = [&]() -> BrightnessManager& {
        popoverAndMonitorFirst = world.sim.popovers.popover() && world.sim.eventMonitor.monitorCount() == 1;
        return manager();
    };
    BrillexApp app(world.platform(), models);
    app.run();
    EXPECT_TRUE(popoverAndMonitorFirst);
    world.sim.application.terminate();
}

TEST(Launch, AStatusItemWithoutAButtonGetsNothingAndTheRestOfLaunchHappens) {
    AppWorld world;
    world.sim.statusBar.setGivesButton(false);
    world.launch();
    const auto* item = world.sim.statusBar.item();
    ASSERT_NE(item, nullptr);
    EXPECT_FALSE(item->image);
    EXPECT_FALSE(item->action);
    world.delegate().togglePopover();
    EXPECT_FALSE(world.sim.popovers.popover()->shown);
    EXPECT_EQ(world.sim.application.activations(), 0);
    EXPECT_TRUE(world.delegate().hasEventMonitor());
    EXPECT_TRUE(world.battery().timer.isValid());
    EXPECT_TRUE(world.policy().autoOffTimer().isValid());
}

TEST(Launch, AMonitorTheSystemRefusesLeavesNoTokenAndLaunchGoesOn) {
    AppWorld world;
    world.sim.eventMonitor.setInstalls(false);
    world.launch();
    EXPECT_FALSE(world.delegate().hasEventMonitor());
    EXPECT_TRUE(world.policy().autoOffTimer().isValid());
}

struct PopoverTest : ::testing::Test {
    PopoverTest() { world.launch(); }
    bool shown() { return world.sim.popovers.popover()->shown; }
    bool polling() { return world.systemBrightness().observerTimer.isValid(); }
    AppWorld world;
};

TEST_F(PopoverTest, ClicksOnTheItemOpenBelowItWithPollingAndCloseAgain) {
    ASSERT_TRUE(world.sim.statusBar.click());
    EXPECT_TRUE(shown());
    EXPECT_EQ(world.sim.popovers.popover()->edge, RectEdge::minY);
    EXPECT_EQ(world.sim.popovers.popover()->anchorBounds.width, sim::SimStatusBar::buttonBounds.width);
    EXPECT_TRUE(polling());
    EXPECT_EQ(world.sim.application.activations(), 1);
    EXPECT_TRUE(world.sim.application.lastActivationIgnoredOtherApps());

    world.sim.statusBar.click();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(polling());

    world.sim.statusBar.click();
    EXPECT_TRUE(shown());
    EXPECT_TRUE(polling());
    EXPECT_EQ(world.sim.application.activations(), 2);
    EXPECT_EQ(world.sim.popovers.popover()->timesShown, 2);
}

TEST_F(PopoverTest, OpeningReadsTheBrightnessAfreshAndPollsItEveryHalfSecond) {
    world.sim.displayServices.setBrightness(1, 0.4f);
    world.sim.statusBar.click();
    world.sim.loop.runPending();  // readings arrive on the main queue
    EXPECT_FLOAT_EQ(world.systemBrightness().mainDisplayBrightness(), 0.4f);
    world.sim.displayServices.setBrightness(1, 0.7f);
    world.sim.loop.advance(0.5);
    EXPECT_FLOAT_EQ(world.systemBrightness().mainDisplayBrightness(), 0.7f);
}

TEST_F(PopoverTest, ClicksElsewhereCloseAShownPopoverAndStopPollingOnly) {
    world.sim.eventMonitor.eventElsewhere(EventMask::leftMouseDown);
    EXPECT_FALSE(shown());
    EXPECT_EQ(std::count(world.created.begin(), world.created.end(), "SystemBrightness"), 0);

    world.sim.statusBar.click();
    world.sim.eventMonitor.eventElsewhere(EventMask::rightMouseDown);
    EXPECT_FALSE(shown());
    EXPECT_FALSE(polling());
}

TEST(Quit, PutsEveryDisplayBackAndStopsTheTimersAndInterception) {
    AppWorld world;
    world.sim.gamma.fill(1, 0.8f);
    world.sim.gamma.table(2).red[255] = 0.9f;
    const auto before1 = world.sim.gamma.table(1);
    const auto before2 = world.sim.gamma.table(2);
    world.settings().setBrightnessKeyEnabled(true);
    world.settings().setAutoOffTimer(true);
    world.launch();
    world.boost(1, true, 0.7);
    world.boost(2, true, 1.0);
    ASSERT_NE(world.sim.gamma.table(1).red, before1.red);
    ASSERT_EQ(world.sim.edrOutput.visibleCount(), 2u);
    ASSERT_TRUE(world.keyboard().isIntercepting());

    world.quit();
    EXPECT_EQ(world.sim.gamma.table(1).red, before1.red);
    EXPECT_EQ(world.sim.gamma.table(1).blue, before1.blue);
    EXPECT_EQ(world.sim.gamma.table(2).red, before2.red);
    EXPECT_EQ(world.sim.gamma.table(2).green, before2.green);
    EXPECT_EQ(world.sim.edrOutput.visibleCount(), 0u);
    EXPECT_FALSE(world.policy().autoOffTimer().isValid());
    EXPECT_FALSE(world.battery().timer.isValid());
    EXPECT_FALSE(world.keyboard().isIntercepting());
    EXPECT_FALSE(world.boosted(1));
    EXPECT_FALSE(world.boosted(2));
}

} // namespace
