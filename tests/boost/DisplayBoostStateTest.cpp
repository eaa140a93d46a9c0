#include "boost/DisplayBoostState.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/Log.h"
#include "BoostTestSupport.h"

namespace brillex {
namespace {

class DisplayBoostStateTest : public ::testing::Test {
protected:
    DisplayBoostStateTest() {
        sim.screens.add(test::screenOf(1, "Built-in Retina Display", 16.0), true);
        sim.screens.add(test::screenOf(2, "LG UltraFine", 2.0, Rect{-1920, -300, 1920, 1080}));
    }

    std::unique_ptr<DisplayBoostState> make(DisplayInfo info) {
        return std::make_unique<DisplayBoostState>(std::move(info), sim.screens, sim.gamma, sim.edrOutput, sim.loop, unrestored);
    }
    std::unique_ptr<DisplayBoostState> builtIn() { return make(test::infoOf(1, "Built-in Retina Display", true)); }

    sim::SimComputer sim;
    UnrestoredTables unrestored;
    LogCapture log;
};

TEST_F(DisplayBoostStateTest, WorkedValuesPerDisplayKind) {
    struct Case {
        const char* name;
        bool builtIn;
        double level, edr;
        int percent, nits;
    };
    for (const auto& c : {Case{"Built-in Retina Display", true, 0.0, 1.0, 0, 500},
                          Case{"Built-in Retina Display", true, 0.5, 2.1, 100, 1050},
                          Case{"Built-in Retina Display", true, 1.0, 3.2, 200, 1600},
                          Case{"Pro Display XDR", false, 1.0, 3.2, 100, 1600},
                          Case{"LG UltraFine", false, 0.5, 1.3, 50, 650},
                          Case{"Dell U2723QE", false, 1.0, 1.0, 100, 500}}) {
        sim.screens.find(1)->name = c.name;
        auto state = make(test::infoOf(1, c.name, c.builtIn));
        state->setBoostEnabled(true);
        state->setBoostLevel(c.level);
        EXPECT_DOUBLE_EQ(state->edr(), c.edr) << c.name;
        EXPECT_DOUBLE_EQ(state->overlayView->edrValue, c.edr) << c.name;
        EXPECT_EQ(state->boostPercent.get(), c.percent) << c.name << " " << c.level;
        EXPECT_EQ(state->currentNits.get(), c.nits) << c.name << " " << c.level;
        state->setBoostEnabled(false);
    }
}

TEST_F(DisplayBoostStateTest, MultiplierAndCapabilityFollowNameAndBuiltInFlag) {
    struct Case {
        const char* name;
        bool builtIn;
        double multiplier;
        bool capable;
        int maxNits;
    };
    for (const auto& c : {Case{"Color LCD", true, 3.2, true, 1600}, Case{"PRO DISPLAY XDR", false, 3.2, true, 1600},
                          Case{"Apple Pro Display Xdr (2)", false, 3.2, true, 1600},
                          Case{"LG ULTRAFINE 5K", false, 1.6, true, 800}, Case{"UltraFine", false, 1.6, true, 800},
                          Case{"Pro Display", false, 1.0, false, 500}, Case{"Acme HDR", false, 1.0, false, 500}}) {
        const auto state = make(test::infoOf(5, c.name, c.builtIn));
        EXPECT_EQ(state->maxBoostMultiplier(), c.multiplier) << c.name;
        EXPECT_EQ(state->isXDRCapable(), c.capable) << c.name;
        EXPECT_EQ(state->maxNitsAvailable.get(), c.maxNits) << c.name;
        EXPECT_EQ(state->boostPercent.get(), 0);
        EXPECT_EQ(state->currentNits.get(), 500);
    }
}

TEST_F(DisplayBoostStateTest, SwitchOnSavesTableShowsOverlayAndAppliesInOrder) {
    auto state = builtIn();
    state->setBoostLevel(0.5);
    state->setBoostEnabled(true);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Gamma table saved: 1", "EDR setup: maxEDR=16.0",
                                                     "Gamma applied: display=1, boost=2.1",
                                                     "XDR Boost Active for display: 1"}));
    ASSERT_NE(state->overlayWindow, nullptr);
    ASSERT_NE(state->overlayView, nullptr);
    ASSERT_TRUE(state->originalGammaTable.has_value());
    EXPECT_EQ(state->originalGammaTable->red[255], 1.0f);

    const auto* overlay = sim.edrOutput.overlay(1);
    ASSERT_NE(overlay, nullptr);
    const auto& settings = overlay->settings;
    EXPECT_EQ(settings.level, 1000);
    EXPECT_EQ(settings.collectionBehavior, 337u);
    EXPECT_TRUE(settings.ignoresMouseEvents);
    EXPECT_FALSE(settings.opaque);
    EXPECT_FALSE(settings.hasShadow);
    EXPECT_TRUE(settings.clearBackground);
    EXPECT_EQ(settings.contentRect.width, 1.0);
    EXPECT_EQ(settings.contentRect.height, 1.0);
    ASSERT_TRUE(overlay->color.has_value());
    EXPECT_DOUBLE_EQ(overlay->color->red, 2.1);
    EXPECT_DOUBLE_EQ(overlay->color->blue, 2.1);
    EXPECT_EQ(overlay->color->alpha, 0.01);
    EXPECT_EQ(sim.gamma.table(1).red[255], boostedGammaValue(1.0f, 2.1f));
}

TEST_F(DisplayBoostStateTest, OverlaySitsAtTheScreenOriginAlsoWhenNegative) {
    auto state = make(test::infoOf(2, "LG UltraFine", false, 2.0));
    state->setBoostEnabled(true);
    const auto* overlay = sim.edrOutput.overlay(2);
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(overlay->settings.contentRect.x, -1920.0);
    EXPECT_EQ(overlay->settings.contentRect.y, -300.0);
}

TEST_F(DisplayBoostStateTest, SwitchingOnTwiceMakesOneOverlayAndSavesOnce) {
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostEnabled(true);
    EXPECT_EQ(sim.edrOutput.overlays().size(), 1u);
    int saved = 0;
    for (const auto& line : log.lines()) saved += line == "Gamma table saved: 1";
    EXPECT_EQ(saved, 1);
}

TEST_F(DisplayBoostStateTest, SwitchOffRestoresTheSavedTableAndResetsNumbers) {
    sim.gamma.fill(1, 0.5f);
    sim.gamma.table(1).green[0] = 0.0f;
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostLevel(1.0);
    EXPECT_NE(sim.gamma.table(1).red[9], 0.5f);
    log.clear();
    state->setBoostEnabled(false);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Gamma restored: display=1", "XDR Boost Disabled for display: 1"}));
    EXPECT_EQ(sim.gamma.table(1).red[9], 0.5f);
    EXPECT_EQ(sim.gamma.table(1).green[0], 0.0f);
    EXPECT_EQ(state->overlayWindow, nullptr);
    EXPECT_EQ(state->overlayView, nullptr);
    EXPECT_FALSE(state->originalGammaTable.has_value());
    EXPECT_EQ(sim.edrOutput.overlay(1), nullptr);
    EXPECT_TRUE(sim.edrOutput.overlays().back()->closed);
    EXPECT_EQ(state->boostPercent.get(), 0);
    EXPECT_EQ(state->currentNits.get(), 500);
    EXPECT_EQ(state->boostLevel.get(), 1.0); // kept for the next switch-on
}

TEST_F(DisplayBoostStateTest, LevelChangesNeverCompound) {
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostLevel(1.0);
    state->setBoostLevel(0.5);
    state->setBoostLevel(1.0);
    state->setBoostLevel(0.5);
    EXPECT_EQ(sim.gamma.table(1).red[200], boostedGammaValue(200.0f / 255.0f, 2.1f));
}

TEST_F(DisplayBoostStateTest, SwitchingOffWhileOffDoesNothing) {
    auto state = builtIn();
    state->setBoostEnabled(false);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(sim.gamma.writes(1), 0);
}

TEST_F(DisplayBoostStateTest, NoScreenForTheDisplayEndsSilently) {
    auto state = make(test::infoOf(7, "Gone", true));
    state->setBoostLevel(0.5);
    state->setBoostEnabled(true);
    EXPECT_TRUE(state->isBoostEnabled.get());
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(state->overlayView, nullptr);
    EXPECT_EQ(state->boostPercent.get(), 0);
    EXPECT_EQ(state->currentNits.get(), 500);
    EXPECT_TRUE(sim.edrOutput.overlays().empty());

    state->setBoostEnabled(false);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"XDR Boost Disabled for display: 7"});
}

TEST_F(DisplayBoostStateTest, UnreadableTableLeavesTheTransferTableAlone) {
    sim.gamma.setReadFails(1, true);
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostLevel(0.75);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Failed to get gamma table", "EDR setup: maxEDR=16.0",
                                                     "XDR Boost Active for display: 1"}));
    EXPECT_NE(state->overlayView, nullptr);
    EXPECT_EQ(state->boostPercent.get(), 150);
    EXPECT_EQ(sim.gamma.writes(1), 0);
    state->setBoostEnabled(false);
    EXPECT_EQ(sim.gamma.writes(1), 0);
}

TEST_F(DisplayBoostStateTest, NoDeviceKeepsTheTableButShowsNoOverlay) {
    sim.edrOutput.deviceAvailable = false;
    auto state = builtIn();
    state->setBoostEnabled(true);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Gamma table saved: 1", "Metal not supported"}));
    EXPECT_EQ(state->overlayWindow, nullptr);
    EXPECT_EQ(state->overlayView, nullptr);
    ASSERT_EQ(sim.edrOutput.overlays().size(), 1u);
    EXPECT_FALSE(sim.edrOutput.overlays()[0]->shown);
    EXPECT_TRUE(sim.edrOutput.overlays()[0]->destroyed);
    EXPECT_TRUE(state->originalGammaTable.has_value());

    state->setBoostLevel(1.0); // nothing to apply to
    EXPECT_EQ(sim.gamma.writes(1), 0);
    EXPECT_EQ(state->boostPercent.get(), 0);

    log.clear();
    state->setBoostEnabled(false);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Gamma restored: display=1", "XDR Boost Disabled for display: 1"}));
}

TEST_F(DisplayBoostStateTest, FailedWriteStillUpdatesOverlayAndNumbers) {
    sim.gamma.setWriteFails(1, true);
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostLevel(0.5);
    EXPECT_FALSE(log.contains("Gamma applied: display=1, boost=2.1"));
    EXPECT_DOUBLE_EQ(sim.edrOutput.overlay(1)->color->green, 2.1);
    EXPECT_EQ(state->currentNits.get(), 1050);
}

TEST_F(DisplayBoostStateTest, LevelWhileOffIsOnlyStored) {
    auto state = builtIn();
    state->setBoostLevel(0.5);
    EXPECT_EQ(state->boostPercent.get(), 0);
    EXPECT_EQ(state->currentNits.get(), 500);
    EXPECT_EQ(sim.gamma.writes(1), 0);
    state->setBoostEnabled(true);
    EXPECT_EQ(state->boostPercent.get(), 100);
    EXPECT_EQ(state->currentNits.get(), 1050);
}

TEST_F(DisplayBoostStateTest, StepsClampAndDoNothingWhileOff) {
    auto state = builtIn();
    state->increaseBoost();
    state->decreaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 0.0);

    state->setBoostEnabled(true);
    for (int i = 0; i < 20; ++i) state->increaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 1.0);
    state->increaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 1.0);
    EXPECT_EQ(state->boostPercent.get(), 200);

    state->setBoostLevel(0.97);
    state->increaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 1.0);
    state->setBoostLevel(0.03);
    state->decreaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 0.0);
    state->decreaseBoost();
    EXPECT_EQ(state->boostLevel.get(), 0.0);
}

TEST_F(DisplayBoostStateTest, OutOfRangeLevelsAreBroughtIntoRange) {
    auto state = builtIn();
    state->setBoostEnabled(true);
    log.clear();
    state->setBoostLevel(4.0);
    EXPECT_EQ(state->boostLevel.get(), 1.0);
    EXPECT_EQ(state->currentNits.get(), 1600);
    EXPECT_TRUE(log.contains("Boost level out of range: display=1, level=4.0, using 1.0"));
    state->setBoostLevel(std::nan(""));
    EXPECT_EQ(state->boostLevel.get(), 0.0);
    state->setBoostLevel(-1e300);
    EXPECT_EQ(state->boostLevel.get(), 0.0);
    EXPECT_EQ(state->boostPercent.get(), 0);
}

TEST_F(DisplayBoostStateTest, ObserversAreToldBeforeTheValueChanges) {
    auto state = builtIn();
    std::vector<double> seen;
    auto watch = state->objectWillChange().connect([&] { seen.push_back(state->boostLevel.get()); });
    state->setBoostLevel(0.5);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], 0.0);
}

TEST_F(DisplayBoostStateTest, FreshSwitchOnAfterFailureRetries) {
    sim.edrOutput.deviceAvailable = false;
    auto state = builtIn();
    state->setBoostEnabled(true);
    state->setBoostEnabled(false);
    sim.edrOutput.deviceAvailable = true;
    state->setBoostEnabled(true);
    EXPECT_NE(state->overlayView, nullptr);
    EXPECT_NE(sim.edrOutput.overlay(1), nullptr);
}

} // namespace
} // namespace brillex
