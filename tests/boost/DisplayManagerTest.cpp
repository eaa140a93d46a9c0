#include "boost/DisplayManager.h"

#include <gtest/gtest.h>

#include "base/Log.h"
#include "BoostTestSupport.h"

namespace brillex {
namespace {

std::vector<DisplayId> idsOf(const std::vector<DisplayInfo>& infos) {
    std::vector<DisplayId> ids;
    for (const auto& info : infos) ids.push_back(info.id);
    return ids;
}

TEST(DisplayManager, NoScreenGivesAnEmptyListAndCountZero) {
    sim::SimComputer sim;
    Screen unnumbered;
    unnumbered.name = "Projector";
    unnumbered.maxPotentialEDR = 4.0;
    sim.screens.add(unnumbered);
    LogCapture log;
    DisplayManager manager(sim.screens);
    EXPECT_TRUE(manager.displays->empty());
    EXPECT_TRUE(manager.xdrDisplays().empty());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Displays detected: 0"});
}

TEST(DisplayManager, RecordsFollowTheSystemOrderAndHeadroomDecidesXdr) {
    sim::SimComputer sim;
    sim.screens.add(test::screenOf(9, "Plain Monitor", 1.0));
    sim.screens.add(test::screenOf(3, "Acme HDR 27", 1.0000001));
    Screen unnumbered;
    unnumbered.name = "Sidecar";
    sim.screens.add(unnumbered);
    sim.screens.add(test::screenOf(1, "Built-in Retina Display", 16.0), true);
    LogCapture log;
    DisplayManager manager(sim.screens);

    ASSERT_EQ(idsOf(manager.displays), (std::vector<DisplayId>{9, 3, 1}));
    const auto& plain = manager.displays->at(0);
    EXPECT_EQ(plain.name, "Plain Monitor");
    EXPECT_FALSE(plain.isBuiltIn);
    EXPECT_EQ(plain.maxEDR, 1.0);
    EXPECT_FALSE(plain.supportsXDR);
    EXPECT_TRUE(manager.displays->at(2).isBuiltIn);
    // Discovery does not look at names: an unknown EDR monitor is an XDR display.
    EXPECT_EQ(idsOf(manager.xdrDisplays()), (std::vector<DisplayId>{3, 1}));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Displays detected: 3"});
}

TEST(DisplayManager, ScreenChangeRefreshesOnceAndRunsTheHook) {
    sim::SimComputer sim;
    sim.screens.add(test::screenOf(1, "Built-in", 16.0), true);
    DisplayManager manager(sim.screens);
    int announcements = 0;
    int hookRuns = 0;
    auto watch = manager.objectWillChange().connect([&] { ++announcements; });
    manager.onBrightnessChanged = [&] {
        ++hookRuns;
        EXPECT_EQ(manager.displays->size(), 2u); // runs after the refresh
    };
    sim.screens.add(test::screenOf(2, "Studio", 1.0));
    LogCapture log;
    sim.screens.notifyScreenChange();
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Displays detected: 2"});
}

TEST(DisplayManager, HeadroomIsReadAtEachRefresh) {
    sim::SimComputer sim;
    sim.screens.add(test::screenOf(2, "Studio", 1.0));
    DisplayManager manager(sim.screens);
    EXPECT_TRUE(manager.xdrDisplays().empty());
    sim.screens.find(2)->maxPotentialEDR = 2.5;
    manager.refreshDisplays();
    ASSERT_EQ(manager.xdrDisplays().size(), 1u);
    EXPECT_EQ(manager.xdrDisplays()[0].maxEDR, 2.5);
}

} // namespace
} // namespace brillex
