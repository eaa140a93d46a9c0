// The main screen driven through its real widgets on a simulated computer.
#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <map>

#include "PopoverWorld.h"
#include "ui/screens/BatteryIndicator.h"
#include "ui/screens/DisplayFeatureRow.h"
#include "ui/screens/DisplayTitleLine.h"
#include "ui/kit/FeatureToggleButton.h"
#include "ui/screens/KeyboardBacklightSection.h"
#include "ui/screens/MainView.h"
#include "ui/kit/Slider.h"
#include "ui/kit/SymbolView.h"
#include "ui/screens/SystemBrightnessRowView.h"
#include "ui/screens/SystemBrightnessSection.h"
#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"
#include "ui/screens/XDRBoostSection.h"
#include "ui/screens/XDRDisplayRowView.h"

namespace brillex::test {
namespace {

struct MainScreen {
    explicit MainScreen(const std::function<void(sim::SimComputer&)>& furnish = laptopWithProDisplay)
        : world(furnish), view(world.environment()) {
        view.show();
        world.settle();
    }

    MainView& main() { return *static_cast<MainView*>(view.screen()); }
    XDRBoostSection& xdr() { return *main().xdrBoost(); }
    XDRDisplayRowView* xdrRow(DisplayId id) {
        for (auto* row : xdr().rows())
            if (row->id() == id) return row;
        return nullptr;
    }
    SystemBrightnessRowView* brightnessRow(DisplayId id) {
        for (auto* row : main().systemBrightness()->rows())
            if (row->id() == id) return row;
        return nullptr;
    }
    DisplayBoostState& state(DisplayId id) { return *world.manager.state(id); }

    PopoverWorld world;
    ContentView view;
};

QString text(const QLabel* label) { return label->text(); }
bool shown(const QWidget* widget) { return widget->isVisibleTo(widget->parentWidget()); }

TEST(BatteryIndicatorRules, LevelWordsColoursAndFigure) {
    EXPECT_EQ(BatteryIndicator::symbolName(12.9, false), "battery.0");
    EXPECT_EQ(BatteryIndicator::symbolName(13.0, false), "battery.25");
    EXPECT_EQ(BatteryIndicator::symbolName(62.99, false), "battery.50");
    EXPECT_EQ(BatteryIndicator::symbolName(87.99, false), "battery.75");
    EXPECT_EQ(BatteryIndicator::symbolName(88.0, false), "battery.100");
    EXPECT_EQ(BatteryIndicator::symbolName(100.0, true), "battery.100.bolt");
    EXPECT_EQ(BatteryIndicator::symbolName(-1.0, false), "battery.100");
    EXPECT_EQ(BatteryIndicator::text(57.9), "57%");
    EXPECT_EQ(BatteryIndicator::text(std::numeric_limits<double>::quiet_NaN()), "--%");
    EXPECT_EQ(BatteryIndicator::symbolColor(15.0, true), SystemColor::green);
    EXPECT_EQ(BatteryIndicator::textColor(15.0), SystemColor::red);
    EXPECT_EQ(BatteryIndicator::symbolColor(19.9, false), SystemColor::red);
    EXPECT_EQ(BatteryIndicator::symbolColor(20.0, false), SystemColor::secondary);
}

TEST(MainViewTest, BatteryIndicatorFollowsTheMonitor) {
    MainScreen screen;
    BatteryIndicator& battery = *screen.main().battery();
    // No power source: full, not charging, in the secondary colour.
    EXPECT_EQ(battery.symbol()->symbol(), "battery.100");
    EXPECT_EQ(text(battery.label()), "100%");
    EXPECT_EQ(battery.label()->color(), SystemColor::secondary);

    screen.world.power(12.9, true, false);
    EXPECT_EQ(battery.symbol()->symbol(), "battery.0");
    EXPECT_EQ(battery.symbol()->color(), Theme::color(SystemColor::red));
    EXPECT_EQ(text(battery.label()), "12%");
    EXPECT_EQ(battery.label()->color(), SystemColor::red);

    screen.world.power(13.0, true, false);
    EXPECT_EQ(battery.symbol()->symbol(), "battery.25");

    screen.world.power(15.0, false, true);
    EXPECT_EQ(battery.symbol()->symbol(), "battery.25.bolt");
    EXPECT_EQ(battery.symbol()->color(), Theme::color(SystemColor::green));
    EXPECT_EQ(battery.label()->color(), SystemColor::red);

    screen.world.power(88.0, false, false);
    EXPECT_EQ(battery.symbol()->symbol(), "battery.100");
    EXPECT_EQ(battery.symbol()->color(), Theme::color(SystemColor::secondary));
}

TEST(MainViewTest, WithoutExtendedRangeDisplaysShowsTheEmptyTextAndNoMasterSwitch) {
    MainScreen screen([](sim::SimComputer& sim) { addScreen(sim, 3, "DELL U2720Q", 1.0, false); });
    EXPECT_TRUE(screen.xdr().rows().empty());
    EXPECT_TRUE(shown(screen.xdr().empty()));
    EXPECT_EQ(text(screen.xdr().empty()), "No XDR display detected");
    EXPECT_EQ(text(screen.xdr().title()), "XDR Boost");
    EXPECT_FALSE(shown(screen.xdr().masterSwitch()));
    // The monitor still has its system-brightness row.
    ASSERT_NE(screen.brightnessRow(3), nullptr);
    EXPECT_EQ(text(screen.brightnessRow(3)->title()->name()), "DELL U2720Q");
}

TEST(MainViewTest, ExtendedRangeDisplaysThatCannotBeBoostedSayNotSupported) {
    MainScreen screen([](sim::SimComputer& sim) { addScreen(sim, 4, "Studio Monitor HDR", 2.0, false); });
    XDRDisplayRowView* row = screen.xdrRow(4);
    ASSERT_NE(row, nullptr);
    EXPECT_TRUE(shown(row->notSupported()));
    EXPECT_EQ(text(row->notSupported()), "Not supported");
    EXPECT_FALSE(shown(row->boostSwitch()));
    EXPECT_FALSE(shown(row->requiresFull()));
    EXPECT_FALSE(shown(screen.xdr().masterSwitch()));
    EXPECT_FALSE(shown(screen.xdr().empty()));
}

TEST(MainViewTest, MasterSwitchBoostsTheBuiltInDisplayOnlyAndSwitchesAllOff) {
    MainScreen screen;
    ToggleSwitch* master = screen.xdr().masterSwitch();
    ASSERT_TRUE(shown(master));
    EXPECT_FALSE(master->isOn());

    click(master);
    screen.world.settle();
    EXPECT_TRUE(screen.state(1).isBoostEnabled.get());
    EXPECT_FALSE(screen.state(2).isBoostEnabled.get());
    EXPECT_TRUE(master->isOn());

    screen.state(2).setBoostEnabled(true);
    screen.state(1).setBoostLevel(0.4);
    screen.state(2).setBoostLevel(0.7);
    screen.world.settle();
    click(master);
    screen.world.settle();
    for (DisplayId id : {1u, 2u}) {
        EXPECT_FALSE(screen.state(id).isBoostEnabled.get());
        EXPECT_EQ(screen.state(id).boostLevel.get(), 0.0);
    }
    EXPECT_FALSE(master->isOn());
    // Both tables are back as they were.
    EXPECT_EQ(screen.world.sim.gamma.table(1).red, sim::SimGamma::identity().red);
    EXPECT_EQ(screen.world.sim.gamma.table(2).red, sim::SimGamma::identity().red);
}

// A boost the platform cannot keep safe is refused: the switch the user
// turned on goes back off, and so does the master switch.
TEST(MainViewTest, ARefusedBoostTurnsItsSwitchBackOff) {
    MainScreen screen;
    screen.world.sim.gamma.setUnprotected("nowhere to keep the table");
    ToggleSwitch* own = screen.xdrRow(1)->boostSwitch();
    click(own);
    screen.world.settle();
    EXPECT_FALSE(screen.state(1).isBoostEnabled.get());
    EXPECT_FALSE(own->isOn());
    click(screen.xdr().masterSwitch());
    screen.world.settle();
    EXPECT_FALSE(screen.xdr().masterSwitch()->isOn());
    EXPECT_EQ(screen.world.sim.gamma.writes(1), 0);
}

TEST(MainViewTest, OnBatteryWithOnlyWhileChargingTheSwitchesRest) {
    MainScreen screen;
    screen.world.settings.setOnlyWhileCharging(true);
    screen.world.power(60.0, true, false);
    EXPECT_FALSE(screen.xdr().masterSwitch()->isEnabled());
    EXPECT_FALSE(screen.xdrRow(1)->boostSwitch()->isEnabled());
    XDRBoostSection::masterSwitchOn(screen.world.environment());
    screen.world.settle();
    EXPECT_FALSE(screen.state(1).isBoostEnabled.get());

    screen.world.power(60.0, false, true);
    EXPECT_TRUE(screen.xdr().masterSwitch()->isEnabled());
    EXPECT_TRUE(screen.xdrRow(1)->boostSwitch()->isEnabled());
}

TEST(MainViewTest, BoostSwitchAndSliderDriveTheBoostAndItsFigures) {
    MainScreen screen;
    XDRDisplayRowView* builtIn = screen.xdrRow(1);
    ASSERT_NE(builtIn, nullptr);
    EXPECT_EQ(text(builtIn->title()->name()), "Built-in Retina Display");
    EXPECT_EQ(builtIn->title()->symbol()->symbol(), "laptopcomputer");
    EXPECT_FALSE(shown(builtIn->levelBlock()));
    EXPECT_FALSE(shown(builtIn->nits()));

    click(builtIn->boostSwitch());
    screen.world.settle();
    ASSERT_TRUE(screen.state(1).isBoostEnabled.get());
    EXPECT_TRUE(shown(builtIn->levelBlock()));
    EXPECT_EQ(text(builtIn->nits()), "500 nits");
    EXPECT_EQ(text(builtIn->minimumLabel()), "+0%");
    EXPECT_EQ(text(builtIn->percentLabel()), "+0%");
    EXPECT_EQ(text(builtIn->maximumLabel()), "+200%");

    drag(builtIn->slider(), 0.1, 0.5);
    screen.world.settle();
    EXPECT_NEAR(screen.state(1).boostLevel.get(), 0.5, 0.01);
    EXPECT_EQ(text(builtIn->percentLabel()), "+" + QString::number(screen.state(1).boostPercent.get()) + "%");
    EXPECT_EQ(text(builtIn->nits()), QString::number(screen.state(1).currentNits.get()) + " nits");

    drag(builtIn->slider(), 0.5, 1.0);
    screen.world.settle();
    EXPECT_EQ(screen.state(1).boostLevel.get(), 1.0);
    EXPECT_EQ(text(builtIn->percentLabel()), "+200%");
    EXPECT_EQ(text(builtIn->nits()), "1600 nits");

    // The external Pro Display XDR ends at +100 % at the same luminance.
    XDRDisplayRowView* external = screen.xdrRow(2);
    EXPECT_EQ(external->title()->symbol()->symbol(), "display");
    EXPECT_EQ(text(external->title()->name()), "Pro Display XDR");
    click(external->boostSwitch());
    screen.world.settle();
    drag(external->slider(), 0.2, 1.0);
    screen.world.settle();
    EXPECT_EQ(text(external->percentLabel()), "+100%");
    EXPECT_EQ(text(external->maximumLabel()), "+100%");
    EXPECT_EQ(text(external->nits()), "1600 nits");

    click(builtIn->boostSwitch());
    screen.world.settle();
    EXPECT_FALSE(screen.state(1).isBoostEnabled.get());
    EXPECT_FALSE(shown(builtIn->levelBlock()));
}

TEST(MainViewTest, BelowFullSystemBrightnessTheBoostRequiresFullAndRests) {
    MainScreen screen;
    screen.state(1).setBoostEnabled(true);
    screen.world.sim.displayServices.setBrightness(1, 0.98f);
    screen.world.systemBrightness.refreshBrightness();
    screen.world.settle();
    XDRDisplayRowView* row = screen.xdrRow(1);
    EXPECT_TRUE(shown(row->requiresFull()));
    EXPECT_EQ(text(row->requiresFull()), "Requires 100% system brightness");
    EXPECT_FALSE(row->boostSwitch()->isEnabled());
    EXPECT_FALSE(row->slider()->isEnabled());
    // Its system-brightness slider stays usable while the level is 0.
    EXPECT_TRUE(screen.brightnessRow(1)->slider()->isEnabled());
    EXPECT_EQ(text(screen.brightnessRow(1)->percent()), "98%");
    // The other display is unaffected.
    EXPECT_FALSE(shown(screen.xdrRow(2)->requiresFull()));
    EXPECT_TRUE(screen.xdrRow(2)->boostSwitch()->isEnabled());
}

TEST(MainViewTest, SystemBrightnessSliderRestsOnlyWhileBoostedAboveLevelZero) {
    MainScreen screen;
    SystemBrightnessRowView* row = screen.brightnessRow(1);
    ASSERT_NE(row, nullptr);
    screen.state(1).setBoostEnabled(true);
    screen.world.settle();
    EXPECT_TRUE(row->slider()->isEnabled());
    screen.state(1).setBoostLevel(0.3);
    screen.world.settle();
    EXPECT_FALSE(row->slider()->isEnabled());
    EXPECT_TRUE(screen.brightnessRow(2)->slider()->isEnabled());
    screen.state(1).setBoostEnabled(false);
    screen.world.settle();
    EXPECT_TRUE(row->slider()->isEnabled());
}

TEST(MainViewTest, SystemBrightnessRowsListTheBuiltInDisplayFirstAndSetTheBacklight) {
    MainScreen screen([](sim::SimComputer& sim) {
        addScreen(sim, 2, "Pro Display XDR", 6.0, false);
        addScreen(sim, 7, "Built-in Retina Display", 16.0, true);
    });
    const auto rows = screen.main().systemBrightness()->rows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->id(), 7u);
    EXPECT_EQ(rows[1]->id(), 2u);

    drag(rows[1]->slider(), 0.9, 0.0);
    screen.world.settle();
    EXPECT_EQ(screen.world.sim.displayServices.brightness(2), 0.0f);
    EXPECT_EQ(text(rows[1]->percent()), "0%");

    screen.world.sim.displayServices.setBrightness(2, 0.996f);
    screen.world.systemBrightness.refreshBrightness();
    screen.world.settle();
    EXPECT_EQ(text(rows[1]->percent()), "100%");
}

TEST(MainViewTest, DisplaysWithoutBrightnessFunctionsSayNotAvailable) {
    MainScreen screen([](sim::SimComputer& sim) {
        laptopWithProDisplay(sim);
        sim.displayServices.setLibrary(sim::SimDisplayServices::Library::noSet);
    });
    SystemBrightnessRowView* row = screen.brightnessRow(2);
    EXPECT_FALSE(shown(row->slider()));
    EXPECT_TRUE(shown(row->unavailable()));
    EXPECT_EQ(text(row->unavailable()), "Brightness control not available");
}

TEST(MainViewTest, WithoutDisplaysTheBrightnessSectionSaysSo) {
    MainScreen screen([](sim::SimComputer&) {});
    EXPECT_TRUE(screen.main().systemBrightness()->rows().empty());
    EXPECT_EQ(text(screen.main().systemBrightness()->empty()), "No display detected");
}

TEST(MainViewTest, AttachedAndRemovedDisplaysChangeTheRows) {
    MainScreen screen([](sim::SimComputer& sim) { addScreen(sim, 1, "Built-in Retina Display", 16.0, true); });
    EXPECT_EQ(screen.xdr().rows().size(), 1u);
    addScreen(screen.world.sim, 2, "Pro Display XDR", 6.0, false);
    screen.world.sim.screens.notifyScreenChange();
    screen.world.settle();
    EXPECT_EQ(screen.xdr().rows().size(), 2u);
    EXPECT_EQ(screen.main().systemBrightness()->rows().size(), 2u);

    screen.state(2).setBoostEnabled(true);
    screen.world.settle();
    screen.world.sim.screens.remove(2);
    screen.world.sim.screens.notifyScreenChange();
    screen.world.settle();
    ASSERT_EQ(screen.xdr().rows().size(), 1u);
    EXPECT_EQ(screen.xdr().rows()[0]->id(), 1u);
}

TEST(MainViewTest, FeatureButtonsNegateTheCurrentValue) {
    MainScreen screen;
    DisplayFeatureRow& row = *screen.main().features();
    ASSERT_TRUE(shown(&row));
    EXPECT_EQ(text(row.nightShift()->label()), "Night");
    EXPECT_EQ(text(row.trueTone()->label()), "True");
    EXPECT_EQ(text(row.darkMode()->label()), "Dark");
    EXPECT_FALSE(row.nightShift()->isFeatureEnabled());

    click(row.nightShift());
    screen.world.settle();
    EXPECT_TRUE(screen.world.sim.blueLightClient.enabled);
    EXPECT_TRUE(row.nightShift()->isFeatureEnabled());
    EXPECT_EQ(row.nightShift()->label()->color(), SystemColor::primary);
    EXPECT_EQ(row.nightShift()->icon()->color(), Theme::color(SystemColor::white));

    click(row.nightShift());
    screen.world.settle();
    EXPECT_FALSE(screen.world.sim.blueLightClient.enabled);
    EXPECT_FALSE(row.nightShift()->isFeatureEnabled());
    EXPECT_EQ(row.nightShift()->label()->color(), SystemColor::secondary);

    click(row.darkMode());
    screen.world.settle();
    EXPECT_TRUE(screen.world.features.isDarkModeEnabled.get());
}

TEST(MainViewTest, TrueToneButtonNeedsSupport) {
    MainScreen screen([](sim::SimComputer& sim) {
        laptopWithProDisplay(sim);
        sim.trueToneClient.supported = false;
    });
    EXPECT_FALSE(shown(screen.main().features()->trueTone()));
    EXPECT_TRUE(shown(screen.main().features()->nightShift()));
    EXPECT_TRUE(shown(screen.main().features()->darkMode()));
}

TEST(MainViewTest, DarkButtonNeedsAWayToWriteTheAppearance) {
    MainScreen screen([](sim::SimComputer& sim) {
        laptopWithProDisplay(sim);
        sim.appearance.setFunctionPresent(false);
    });
    EXPECT_FALSE(shown(screen.main().features()->darkMode()));
    EXPECT_TRUE(shown(screen.main().features()->nightShift()));
}

TEST(MainViewTest, OptionalSectionsFollowTheSettings) {
    MainScreen screen;
    EXPECT_TRUE(shown(screen.main().features()));
    EXPECT_FALSE(shown(screen.main().keyboard()));
    screen.world.settings.setDisplayFeaturesEnabled(false);
    screen.world.settings.setKeyboardBacklightEnabled(true);
    screen.world.settle();
    EXPECT_FALSE(shown(screen.main().features()));
    EXPECT_TRUE(shown(screen.main().keyboard()));
}

TEST(MainViewTest, KeyboardSectionTruncatesAndSetsTheBacklight) {
    MainScreen screen([](sim::SimComputer& sim) {
        laptopWithProDisplay(sim);
        sim.keyboardClient.level = 0.996f;
    });
    screen.world.settings.setKeyboardBacklightEnabled(true);
    screen.world.settle();
    KeyboardBacklightSection& keyboard = *screen.main().keyboard();
    EXPECT_EQ(text(keyboard.title()), "Keyboard Backlight");
    EXPECT_EQ(text(keyboard.percent()), "99%");
    drag(keyboard.slider(), 0.5, 0.0);
    screen.world.settle();
    EXPECT_EQ(screen.world.sim.keyboardClient.level, 0.0f);
    EXPECT_EQ(text(keyboard.percent()), "0%");
}

TEST(MainViewTest, KeyboardWithoutBacklightSaysNotSupported) {
    MainScreen screen([](sim::SimComputer& sim) {
        laptopWithProDisplay(sim);
        sim.keyboardClient.ids = std::nullopt;
    });
    screen.world.settings.setKeyboardBacklightEnabled(true);
    screen.world.settle();
    EXPECT_FALSE(shown(screen.main().keyboard()->slider()));
    EXPECT_EQ(text(screen.main().keyboard()->notSupported()), "Not supported");
}

} // namespace
} // namespace brillex::test

namespace brillex::test {
namespace {

// Rows of `image` within columns [left, right) holding ink: a pixel unlike the
// most common one.
std::pair<int, int> inkRows(const QImage& image, int left, int right) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    const QRgb background = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                                return a.second < b.second;
                            })->first;
    int top = image.height(), bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = std::max(0, left); x < std::min(image.width(), right); ++x)
            if (image.pixel(x, y) != background) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return {top, bottom};
}

TEST(MainViewTest, AccentedCapitalsOfOneLineNamesAreNotCut) {
    MainScreen screen;
    screen.world.loc.setCurrentLanguage("fr");
    screen.world.settle();
    auto* name = const_cast<TextLabel*>(screen.brightnessRow(1)->title()->name());
    ASSERT_EQ(text(name), QString::fromUtf8("Écran Retina intégré"));

    // "É" alone in the same font with room to spare is the glyph in full.
    const QFontMetrics metrics(name->font());
    const int advance = metrics.horizontalAdvance(QString::fromUtf8("É"));
    QImage alone(advance + 4, metrics.height() * 3, QImage::Format_ARGB32);
    alone.fill(Qt::white);
    {
        QPainter painter(&alone);
        painter.setFont(name->font());
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, metrics.height() * 1.5), QString::fromUtf8("É"));
    }
    const auto [fullTop, fullBottom] = inkRows(alone, 0, advance);
    ASSERT_GE(fullBottom, fullTop);

    const QImage shown = name->grab().toImage();
    const int left = name->contentsRect().left();
    const auto [top, bottom] = inkRows(shown, left, left + advance);
    EXPECT_EQ(bottom - top, fullBottom - fullTop) << "the glyph is cut at rows " << top << " to " << bottom;
}

} // namespace
} // namespace brillex::test
