// The simulator window on a simulated computer with a boost engine on it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QTest>
#include <QTextLayout>

#include "boost/BrightnessManager.h"
#include "boost/DisplayManager.h"
#include "keys/KeyboardManager.h"
#include "platform/sim/SimComputer.h"
#include "ui/simulator/GammaPreviewSwatch.h"
#include "ui/simulator/SimDisplayCard.h"
#include "ui/simulator/SimulatorWindow.h"
#include "ui/simulator/TransferCurvePlot.h"

namespace brillex {
namespace {

// A laptop: its built-in display has extended-range headroom.
struct Laptop {
    Laptop() {
        Screen builtIn;
        builtIn.displayId = 1;
        builtIn.name = "Built-in Retina Display";
        builtIn.maxPotentialEDR = 16.0;
        builtIn.maxReferenceEDR = 16.0;
        builtIn.frame = Rect{0, 0, 1512, 982};
        builtIn.visibleFrame = Rect{0, 0, 1512, 945};
        computer.screens.add(builtIn, true);
    }
    sim::SimComputer computer;
};

struct SimulatorWindowTest : ::testing::Test {

    // The models announce before they change: the window redraws a turn later.
    void settle() {
        computer.loop.runPending();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    Laptop laptop;
    sim::SimComputer& computer = laptop.computer;
    DisplayManager displays{computer.screens};
    BrightnessManager manager{displays, computer.screens, computer.gamma, computer.edrOutput, computer.loop};
};

TEST_F(SimulatorWindowTest, ShowsEachDisplayWithItsBoostTableAndOverlay) {
    SimulatorWindow window(computer, manager);
    ASSERT_EQ(window.cards().size(), 1u);
    SimDisplayCard& card = *window.cards().at(1);
    EXPECT_EQ(card.titleText(), "Built-in Retina Display  ·  built-in, display 1, main");
    EXPECT_EQ(card.headroomText(), "Headroom: potential 16.0, reference 16.0");
    EXPECT_EQ(card.overlayText(), "Overlay: none");
    EXPECT_EQ(card.findChild<TransferCurvePlot*>()->scaleTop(), 1.1);

    manager.state(1)->setBoostEnabled(true);
    manager.state(1)->setBoostLevel(0.5);
    settle();
    EXPECT_EQ(card.boostText(), "Boost on: level 0.5, edr 2.1, +100 %, 1050 nits");
    EXPECT_TRUE(card.overlayText().startsWith("Overlay: shown at (0.0, 0.0), 1.0 × 1.0, clear colour (2.1, 2.1, 2.1, 0.01)"))
        << card.overlayText().toStdString();
    // The installed table now rises above standard white, and the plot with it.
    EXPECT_GT(card.findChild<TransferCurvePlot*>()->scaleTop(), 1.3);
    const QColor grey = QColor::fromRgbF(0.5f, 0.5f, 0.5f);
    EXPECT_GT(card.findChild<GammaPreviewSwatch*>()->mapped(grey).redF(), 0.6f);

    manager.disableAllBoosts();
    settle();
    EXPECT_EQ(card.overlayText(), "Overlay: none");
    EXPECT_EQ(card.findChild<TransferCurvePlot*>()->scaleTop(), 1.1);
    EXPECT_EQ(card.findChild<GammaPreviewSwatch*>()->mapped(grey), grey);
}

TEST_F(SimulatorWindowTest, AttachesAndRemovesTheExternalDisplay) {
    SimulatorWindow window(computer, manager);
    EXPECT_FALSE(window.externalDisplay());
    window.attachExternal(SimulatorWindow::externalModels[0]);
    settle();
    ASSERT_EQ(window.externalDisplay(), DisplayId{2});
    const auto screen = computer.screens.screenForDisplay(2);
    EXPECT_EQ(screen->frame.x, 1512.0);
    EXPECT_EQ(window.cards().size(), 2u);
    // The program followed the screen change: the XDR external has a boost state.
    ASSERT_NE(manager.state(2), nullptr);
    EXPECT_EQ(manager.state(2)->maxBoostMultiplier(), 3.2);
    // Only one external at a time.
    window.attachExternal(SimulatorWindow::externalModels[1]);
    EXPECT_EQ(computer.screens.screens().size(), 2u);

    manager.state(2)->setBoostEnabled(true);
    window.removeExternal();
    settle();
    EXPECT_FALSE(window.externalDisplay());
    EXPECT_EQ(window.cards().size(), 1u);
    EXPECT_EQ(manager.state(2), nullptr);
    EXPECT_EQ(computer.edrOutput.visibleCount(), 0u);
}

// A level the brightness keys reach (1/63 steps) prints short, and the
// longer lines it makes widen neither card nor push one card's plot below
// its neighbour's.
TEST_F(SimulatorWindowTest, FiguresAreRoundedAndCardsKeepTheirWidthAndPlotsTheirTop) {
    SimulatorWindow window(computer, manager);
    window.attachExternal(SimulatorWindow::externalModels[0]);
    window.show();
    settle();
    SimDisplayCard& builtIn = *window.cards().at(1);
    SimDisplayCard& external = *window.cards().at(2);
    const int widths[] = {builtIn.width(), external.width()};

    manager.state(1)->setBoostEnabled(true);
    manager.state(1)->setBoostLevel(41.0 / 63.0);
    settle();
    EXPECT_TRUE(builtIn.boostText().startsWith("Boost on: level 0.65, edr 2.43, +130 %")) << builtIn.boostText().toStdString();
    EXPECT_EQ(builtIn.width(), widths[0]);
    EXPECT_EQ(external.width(), widths[1]);
    const auto top = [&](const SimDisplayCard& card) { return card.plot()->mapTo(&window, QPoint(0, 0)).y(); };
    EXPECT_EQ(top(builtIn), top(external));

    // The long overlay line wraps between its clauses, never inside a parenthesis.
    const QLabel& overlay = *builtIn.overlayLabel();
    QTextLayout layout(overlay.text(), overlay.font());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
        line.setLineWidth(overlay.contentsRect().width());
    layout.endLayout();
    ASSERT_GT(layout.lineCount(), 1) << overlay.text().toStdString();
    for (int i = 1; i < layout.lineCount(); ++i) {
        const QString before = overlay.text().left(layout.lineAt(i).textStart());
        EXPECT_EQ(before.count('('), before.count(')')) << "line " << i << " starts inside a parenthesis";
    }
}

TEST_F(SimulatorWindowTest, PlaysThePowerCableAndTheChargeOnOneBattery) {
    SimulatorWindow window(computer, manager);
    EXPECT_EQ(window.powerText(), "no battery: a desktop");
    window.setPowerCable(false);
    ASSERT_EQ(computer.powerSources.list->size(), 1u);
    auto& battery = *computer.powerSources.list->front();
    EXPECT_EQ(std::get<std::string>(battery[kPowerSourceStateKey]), kPowerSourceBatteryPowerValue);
    EXPECT_FALSE(std::get<bool>(battery[kPowerSourceIsChargingKey]));
    window.setCharge(12);
    EXPECT_EQ(std::get<std::int64_t>(battery[kPowerSourceCurrentCapacityKey]), 12);
    window.setPowerCable(true);
    EXPECT_TRUE(std::get<bool>(battery[kPowerSourceIsChargingKey]));
    window.setCharge(100);
    EXPECT_FALSE(std::get<bool>(battery[kPowerSourceIsChargingKey]));
    window.setCharge(250);
    EXPECT_EQ(std::get<std::int64_t>(battery[kPowerSourceCurrentCapacityKey]), 100);
    EXPECT_EQ(computer.powerSources.list->size(), 1u);
    EXPECT_EQ(window.powerText(), "100 of 100, AC Power (read at the next 10 s poll)");
}

TEST_F(SimulatorWindowTest, BrightnessKeysGoThroughTheEventTap) {
    SimulatorWindow window(computer, manager);
    EXPECT_FALSE(window.pressBrightnessKey(true));
    EXPECT_EQ(window.keyText(), "no tap listening: the system handled it");

    int swallowed = 0;
    auto tap = computer.eventTap.createTap(KeyboardManager::kEventMask, [&](const TapEvent& event) {
        ++swallowed;
        EXPECT_EQ(event.fields->data1 >> 16, KeyboardManager::kKeyBrightnessDown);
        return TapVerdict::swallow;
    });
    tap->addToMainRunLoop();
    tap->setEnabled(true);
    EXPECT_TRUE(window.pressBrightnessKey(false));
    EXPECT_EQ(swallowed, 2); // down and up
    EXPECT_EQ(window.keyText(), "taken by Brillex");
}

TEST_F(SimulatorWindowTest, SwitchesTheSystemAppearanceAndTheTrust) {
    SimulatorWindow window(computer, manager);
    int notified = 0;
    auto observer = computer.appearance.observeThemeChanges([&] { ++notified; });
    window.toggleAppearance();
    EXPECT_EQ(computer.appearance.name(), sim::SimAppearance::dark);
    // The theme notification is delivered with the event, not left queued.
    EXPECT_EQ(notified, 1);
    window.toggleAppearance();
    EXPECT_EQ(computer.appearance.name(), sim::SimAppearance::light);
    window.setTrusted(false);
    EXPECT_FALSE(computer.accessibility.trusted());
}

TEST_F(SimulatorWindowTest, PollsOnlyWhileShown) {
    SimulatorWindow window(computer, manager);
    EXPECT_FALSE(window.isRefreshTimerActive());
    window.show();
    EXPECT_TRUE(window.isRefreshTimerActive());
    window.hide();
    EXPECT_FALSE(window.isRefreshTimerActive());
}

TEST(GammaPreviewSwatch, LooksUpBetweenEntriesAndHoldsBadInputInside) {
    const std::vector<float> ramp{0.0f, 0.5f, 2.0f};
    EXPECT_EQ(GammaPreviewSwatch::lookUp(ramp, 0.25f), 0.25f);
    EXPECT_EQ(GammaPreviewSwatch::lookUp(ramp, 0.75f), 1.25f);
    EXPECT_EQ(GammaPreviewSwatch::lookUp(ramp, 1.0f), 2.0f);
    EXPECT_EQ(GammaPreviewSwatch::lookUp(ramp, 9.0f), 2.0f);
    EXPECT_EQ(GammaPreviewSwatch::lookUp(ramp, std::nanf("")), 0.0f);
    EXPECT_EQ(GammaPreviewSwatch::lookUp({}, 0.3f), 0.3f);
}

} // namespace
} // namespace brillex
