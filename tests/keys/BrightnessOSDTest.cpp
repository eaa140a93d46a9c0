#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>

#include "keys/BrightnessOSD.h"
#include "platform/sim/SimComputer.h"

using namespace brillex;
using brillex::sim::SimComputer;

namespace {

struct BrightnessOSDTest : ::testing::Test {
    BrightnessOSDTest() {
        Screen screen;
        screen.displayId = 1;
        screen.name = "Built-in";
        screen.frame = Rect{0, 0, 1440, 900};
        screen.visibleFrame = Rect{0, 40, 1440, 835};
        sim.screens.add(screen, true);
    }

    const sim::SimOsdPanel::State* panel() const { return sim.osdPanel.current(); }
    bool shown() const { return panel() && panel()->visible; }

    void showAndRun(double level) {
        osd.show(level, false);
        sim.loop.runPending();
    }

    SimComputer sim;
    BrightnessOSD osd{sim.loop, sim.screens, sim.osdPanel};
};

} // namespace

TEST(BrightnessOSDView, TextDropsTheFractionAndMarksTheBoost) {
    EXPECT_EQ((BrightnessOSDView{0.9825, false}.text()), "98%");
    EXPECT_EQ((BrightnessOSDView{1.0, false}.text()), "100%");
    EXPECT_EQ((BrightnessOSDView{0.0, false}.text()), "0%");
    EXPECT_EQ((BrightnessOSDView{0.5, true}.text()), "+100%");
    EXPECT_EQ((BrightnessOSDView{0.0, true}.text()), "+0%");
    EXPECT_EQ((BrightnessOSDView{1.0, true}.text()), "+200%");
    // Out-of-range values convert without overflow.
    EXPECT_EQ((BrightnessOSDView{std::nan(""), false}.text()), "0%");
    EXPECT_EQ((BrightnessOSDView{1e300, false}.text()), "1000000000000000%");
}

TEST_F(BrightnessOSDTest, ShowIsPresentedOnTheMainLoopCentredAboveTheBottomOfTheVisibleFrame) {
    osd.show(0.9825, false);
    EXPECT_EQ(panel(), nullptr);
    sim.loop.runPending();
    ASSERT_TRUE(shown());
    EXPECT_EQ(panel()->content, (BrightnessOSDView{0.9825, false}));
    EXPECT_DOUBLE_EQ(panel()->alpha, 1.0);
    EXPECT_DOUBLE_EQ(panel()->contentSize.width, 302.0);
    EXPECT_DOUBLE_EQ(panel()->frame.x, 720.0 - 151.0);
    EXPECT_DOUBLE_EQ(panel()->frame.y, 140.0);
    EXPECT_TRUE(osd.isVisible);
    EXPECT_DOUBLE_EQ(osd.level, 0.9825);
    EXPECT_FALSE(osd.isXDR);
    EXPECT_EQ(osd.text(), "98%");
}

TEST_F(BrightnessOSDTest, HidesOneAndAHalfSecondsAfterTheShowThenFadesForTwoTenths) {
    showAndRun(1.0);
    sim.loop.advance(1.49);
    EXPECT_TRUE(shown());
    EXPECT_FALSE(panel()->fading);
    sim.loop.advance(0.02);
    ASSERT_TRUE(shown());
    EXPECT_TRUE(panel()->fading);
    EXPECT_TRUE(osd.isVisible);
    sim.loop.advance(0.18);
    EXPECT_NE(panel(), nullptr);
    sim.loop.advance(0.02);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_FALSE(osd.isVisible);
    EXPECT_EQ(sim.loop.activeTimers(), 0u);
}

TEST_F(BrightnessOSDTest, RepeatedShowsKeepOnePanelAndTheLastOneTimesTheHide) {
    showAndRun(0.5);
    sim.loop.advance(1.0);
    showAndRun(0.5625);
    sim.loop.advance(1.0);
    showAndRun(0.625);
    EXPECT_EQ(panel()->content, (BrightnessOSDView{0.625, false}));
    sim.loop.advance(1.49);
    EXPECT_FALSE(panel()->fading);
    sim.loop.advance(0.22);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_EQ(sim.osdPanel.panelsCreated(), 1);
    EXPECT_EQ(sim.osdPanel.timesOrderedFront(), 1);

    // After the fade the next show builds a new panel.
    showAndRun(0.7);
    EXPECT_TRUE(shown());
    EXPECT_EQ(sim.osdPanel.panelsCreated(), 2);
}

TEST_F(BrightnessOSDTest, AShowDuringTheFadeKeepsThePanelUp) {
    showAndRun(0.5);
    sim.loop.advance(1.6);
    ASSERT_TRUE(panel()->fading);
    showAndRun(0.5625);
    ASSERT_TRUE(shown());
    EXPECT_FALSE(panel()->fading);
    EXPECT_DOUBLE_EQ(panel()->alpha, 1.0);
    EXPECT_EQ(panel()->content, (BrightnessOSDView{0.5625, false}));
    // The stopped fade never drops the panel; the new show's timer does.
    sim.loop.advance(1.0);
    EXPECT_TRUE(shown());
    EXPECT_TRUE(osd.isVisible);
    sim.loop.advance(0.71);
    EXPECT_EQ(panel(), nullptr);
    EXPECT_EQ(sim.osdPanel.panelsCreated(), 1);
}

TEST_F(BrightnessOSDTest, XdrLevelIsTheBoostsShareOfTheHeadroomClampedIntoTheBar) {
    const struct {
        int current, max;
        double level;
    } cases[] = {
        {1050, 1600, 0.5}, {400, 1600, 0.0}, {500, 1600, 0.0}, {2000, 1600, 1.0},
        // A display without headroom: a full bar rather than a division failure.
        {600, 500, 1.0}, {500, 500, 1.0}, {400, 500, 0.0},
        {INT_MAX, INT_MIN, 0.0}, {INT_MIN, INT_MAX, 0.0},
    };
    for (const auto& c : cases) {
        osd.showXDR(c.current, c.max);
        sim.loop.runPending();
        EXPECT_DOUBLE_EQ(osd.level, c.level) << c.current << "/" << c.max;
        EXPECT_TRUE(osd.isXDR);
        EXPECT_EQ(panel()->content, (BrightnessOSDView{c.level, true}));
    }
    osd.showXDR(1050, 1600);
    sim.loop.runPending();
    EXPECT_EQ(osd.text(), "+100%");
}

TEST_F(BrightnessOSDTest, APlainLevelOutsideTheBarIsClampedToo) {
    showAndRun(1.5);
    EXPECT_DOUBLE_EQ(osd.level, 1.0);
    showAndRun(-0.2);
    EXPECT_DOUBLE_EQ(osd.level, 0.0);
    EXPECT_EQ(osd.text(), "0%");
}

TEST_F(BrightnessOSDTest, WithoutAMainScreenThePanelKeepsItsPosition) {
    sim.screens.setMainScreen(std::nullopt);
    showAndRun(0.5);
    EXPECT_DOUBLE_EQ(panel()->frame.x, 0.0);
    EXPECT_DOUBLE_EQ(panel()->frame.y, 0.0);

    sim.screens.setMainScreen(1);
    showAndRun(0.5);
    sim.screens.setMainScreen(std::nullopt);
    showAndRun(0.6);
    EXPECT_DOUBLE_EQ(panel()->frame.x, 569.0);
    EXPECT_DOUBLE_EQ(panel()->frame.y, 140.0);
}

TEST_F(BrightnessOSDTest, ObserversHearOfEachChangeBeforeItHappens) {
    bool visibleWhenTold = true;
    int announcements = 0;
    auto subscription = osd.objectWillChange().connect([&] {
        ++announcements;
        visibleWhenTold = osd.isVisible;
    });
    showAndRun(0.5);
    EXPECT_GT(announcements, 0);
    EXPECT_FALSE(visibleWhenTold);
    sim.loop.advance(1.7);
    EXPECT_FALSE(osd.isVisible);
    EXPECT_TRUE(visibleWhenTold);
}

TEST(BrightnessOSDLifetime, ShowsPendingWhenTheOSDGoesAwayAreDropped) {
    SimComputer sim;
    auto osd = std::make_unique<BrightnessOSD>(sim.loop, sim.screens, sim.osdPanel);
    osd->show(0.5, false);
    osd->showXDR(1050, 1600);
    osd.reset();
    sim.loop.runPending();
    EXPECT_EQ(sim.osdPanel.current(), nullptr);

    // A panel up or fading when the OSD goes away goes with it.
    osd = std::make_unique<BrightnessOSD>(sim.loop, sim.screens, sim.osdPanel);
    osd->present(0.5, false);
    sim.loop.advance(1.6);
    osd.reset();
    EXPECT_EQ(sim.osdPanel.current(), nullptr);
    sim.loop.advance(1.0);
}
