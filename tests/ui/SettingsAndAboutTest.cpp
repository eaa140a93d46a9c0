// Navigation, the settings screen and the about screen through their widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QVBoxLayout>

#include "PopoverWorld.h"
#include "app/BrillexApp.h"
#include "ui/screens/AboutView.h"
#include "ui/screens/MainView.h"
#include "ui/kit/PlainButton.h"
#include "ui/screens/SettingsListView.h"
#include "ui/kit/SettingsToggleRow.h"
#include "ui/kit/Slider.h"
#include "ui/kit/TextLabel.h"
#include "ui/kit/ToggleSwitch.h"
#include "ui/screens/XDRBoostSection.h"

namespace brillex::test {
namespace {

struct Popover : ::testing::Test {
    Popover() {
        view.show();
        world.settle();
    }

    template <class Screen>
    Screen& screen() {
        auto* shown = dynamic_cast<Screen*>(view.screen());
        EXPECT_NE(shown, nullptr);
        return *shown;
    }
    void press(QWidget* widget) {
        click(widget);
        world.settle();
    }
    SettingsListView& openSettings() {
        press(screen<MainView>().settingsButton());
        return screen<SettingsListView>();
    }
    // Every text the screen shows.
    QStringList texts() {
        QStringList all;
        for (const QLabel* label : view.screen()->findChildren<QLabel*>())
            if (label->isVisibleTo(view.screen()) && !label->text().isEmpty()) all << label->text();
        return all;
    }

    PopoverWorld world;
    ContentView view{world.environment()};
};

TEST_F(Popover, NavigatesBetweenTheThreeScreens) {
    EXPECT_EQ(view.currentScreen(), AppScreen::main);
    SettingsListView& settings = openSettings();
    EXPECT_EQ(view.currentScreen(), AppScreen::settings);
    press(settings.aboutRow());
    EXPECT_EQ(view.currentScreen(), AppScreen::about);
    // Back leads to the settings, not to the main screen.
    press(screen<AboutView>().backButton());
    EXPECT_EQ(view.currentScreen(), AppScreen::settings);
    press(screen<SettingsListView>().closeButton());
    EXPECT_EQ(view.currentScreen(), AppScreen::main);
}

TEST_F(Popover, IsThreeHundredPointsWideAndAsTallAsItsScreen) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(0, 0, 0, 0);
    ContentView root(world.environment());
    layout->addWidget(&root);
    window.show();
    world.settle();
    EXPECT_EQ(window.width(), ContentView::kWidth);
    const int mainHeight = window.height();

    world.settings.setKeyboardBacklightEnabled(true);
    world.settle();
    const int withKeyboard = window.height();
    EXPECT_GT(withKeyboard, mainHeight);

    click(static_cast<MainView*>(root.screen())->settingsButton());
    world.settle();
    const int settingsHeight = window.height();
    world.settings.setAutoOffTimer(true);
    world.settle();
    EXPECT_GT(window.height(), settingsHeight);
    EXPECT_EQ(window.width(), ContentView::kWidth);
}

TEST_F(Popover, ShowsTheSameScreenWhenReopened) {
    openSettings();
    view.hide();
    world.settle();
    view.show();
    world.settle();
    EXPECT_EQ(view.currentScreen(), AppScreen::settings);
}

TEST_F(Popover, SettingsSwitchesWriteTheStoreAtOnce) {
    SettingsListView& settings = openSettings();
    press(settings.onlyWhileCharging()->toggle());
    EXPECT_TRUE(world.settings.onlyWhileCharging());
    EXPECT_TRUE(settings.onlyWhileCharging()->toggle()->isOn());
    press(settings.displayFeatures()->toggle());
    EXPECT_FALSE(world.settings.displayFeaturesEnabled());
    press(settings.keyboardBacklight()->toggle());
    EXPECT_TRUE(world.settings.keyboardBacklightEnabled());

    press(settings.launchAtLogin()->toggle());
    EXPECT_TRUE(world.settings.launchAtLogin());
    EXPECT_TRUE(world.sim.loginItems.isRegistered());
}

TEST_F(Popover, TimerSliderShowsTheStoredDefaultAndWritesWholeMinutes) {
    SettingsListView& settings = openSettings();
    EXPECT_FALSE(settings.timerRow()->isVisibleTo(&settings));
    press(settings.timerSwitch());
    ASSERT_TRUE(world.settings.autoOffTimer());
    ASSERT_TRUE(settings.timerRow()->isVisibleTo(&settings));
    // The default 30 lies beyond the slider's end: the knob sits at 20.
    EXPECT_EQ(settings.timerSlider()->value(), 20.0);
    EXPECT_EQ(settings.timerValue()->text(), "30m");

    drag(settings.timerSlider(), 1.0, 0.37);
    world.settle();
    const long long minutes = world.settings.timerMinutes();
    EXPECT_GE(minutes, 1);
    EXPECT_LE(minutes, 20);
    EXPECT_EQ(settings.timerValue()->text(), QString::number(minutes) + "m");
    drag(settings.timerSlider(), 0.5, 0.0);
    world.settle();
    EXPECT_EQ(world.settings.timerMinutes(), 1);

    press(settings.timerSwitch());
    EXPECT_FALSE(settings.timerRow()->isVisibleTo(&settings));
}

TEST_F(Popover, LowBatterySliderWritesStepsOfFive) {
    SettingsListView& settings = openSettings();
    press(settings.lowBatterySwitch());
    ASSERT_TRUE(settings.lowBatteryRow()->isVisibleTo(&settings));
    EXPECT_EQ(settings.lowBatteryValue()->text(), "20%");
    for (double to : {0.0, 0.33, 0.61, 1.0}) {
        drag(settings.lowBatterySlider(), 0.5, to);
        world.settle();
        const long long percent = world.settings.lowBatteryPercent();
        EXPECT_EQ(percent % 5, 0) << percent;
        EXPECT_GE(percent, 10);
        EXPECT_LE(percent, 50);
        EXPECT_EQ(settings.lowBatteryValue()->text(), QString::number(percent) + "%");
    }
    EXPECT_EQ(world.settings.lowBatteryPercent(), 50);
}

TEST_F(Popover, AccessibilityPromptFollowsTheKeySettingAndTrust) {
    world.sim.accessibility.setTrusted(false);
    SettingsListView& settings = openSettings();
    EXPECT_FALSE(settings.accessibilityPrompt()->isVisibleTo(&settings));
    press(settings.brightnessKeySwitch());
    ASSERT_TRUE(world.settings.brightnessKeyEnabled());
    ASSERT_TRUE(settings.accessibilityPrompt()->isVisibleTo(&settings));
    EXPECT_EQ(world.sim.accessibility.promptCount(), 0);

    press(settings.accessibilityPrompt());
    ASSERT_EQ(world.sim.workspace.opened().size(), 1u);
    EXPECT_EQ(world.sim.workspace.opened()[0],
              "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility");

    press(settings.brightnessKeySwitch());
    EXPECT_FALSE(settings.accessibilityPrompt()->isVisibleTo(&settings));

    // Trust granted meanwhile: the prompt is gone at the next redraw.
    world.sim.accessibility.setTrusted(true);
    press(settings.brightnessKeySwitch());
    EXPECT_FALSE(settings.accessibilityPrompt()->isVisibleTo(&settings));
}

TEST_F(Popover, PickingALanguageRedrawsEveryTextAtOnce) {
    SettingsListView& settings = openSettings();
    EXPECT_TRUE(texts().contains("POWER"));
    EXPECT_EQ(settings.languagePicker()->currentText(), "English");
    QComboBox* picker = settings.languagePicker();
    const int japanese = picker->findText("日本語");
    ASSERT_GE(japanese, 0);
    picker->setCurrentIndex(japanese);
    Q_EMIT picker->activated(japanese);
    world.settle();
    EXPECT_EQ(world.loc.currentLanguage(), "ja");

    const QStringList settingsTexts = texts();
    for (const char* expected : {"電源", "充電中のみ", "自動オフタイマー", "情報", "Brillexを終了", "言語"})
        EXPECT_TRUE(settingsTexts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(settingsTexts.contains("Brillex"));

    press(settings.timerSwitch());
    press(screen<SettingsListView>().lowBatterySwitch());
    EXPECT_TRUE(texts().contains("1m"));
    EXPECT_TRUE(texts().contains("10%"));

    press(screen<SettingsListView>().closeButton());
    const QStringList mainTexts = texts();
    for (const char* expected : {"XDRブースト", "内蔵Retinaディスプレイ", "Night", "True", "Dark", "Brillex"})
        EXPECT_TRUE(mainTexts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_FALSE(mainTexts.contains("XDR Boost"));
}

TEST_F(Popover, AnUnknownStoredLanguageMatchesNoPickerEntry) {
    world.sim.store.set(Localization::kLanguageKey, std::string("tlh"));
    SettingsListView& settings = openSettings();
    EXPECT_EQ(settings.languagePicker()->currentIndex(), -1);
    EXPECT_TRUE(texts().contains("POWER"));
}

TEST_F(Popover, AboutScreenShowsVersionStudioAndFeedback) {
    press(openSettings().aboutRow());
    AboutView& about = screen<AboutView>();
    EXPECT_EQ(about.title()->text(), "About");
    EXPECT_EQ(about.version()->text(), "Version 1.0");
    EXPECT_EQ(about.studio()->text(), "by Tovane");

    world.loc.setCurrentLanguage("ko");
    world.settle();
    EXPECT_EQ(about.version()->text(), QString::fromUtf8("버전 1.0"));
    world.loc.setCurrentLanguage("fr");
    world.settle();
    EXPECT_EQ(about.studio()->text(), "par Tovane");
    world.loc.setCurrentLanguage("de");
    world.settle();
    EXPECT_EQ(about.version()->text(), "Version 1.0");
    EXPECT_EQ(about.studio()->text(), "von Tovane");

    press(about.feedbackButton());
    ASSERT_EQ(world.sim.workspace.opened().size(), 1u);
    EXPECT_EQ(world.sim.workspace.opened()[0],
              std::string("mailto:") + AboutView::kFeedbackAddress + "?subject=Brillex%20Feedback");
}

// The application's shutdown behind the quit row, on the same computer.
struct QuittingPopover : Popover {
    QuittingPopover() { app.run(); }

    ShellModels shell{world};
    BrillexApp app{AppDelegate::Platform{world.sim.statusBar, world.sim.popovers, world.sim.eventMonitor,
                                         world.sim.application, world.sim.loop, world.sim.accessibility},
                   shell.models()};
};

TEST_F(QuittingPopover, QuittingFromTheSettingsRestoresEveryDisplay) {
    for (DisplayId id : {1u, 2u}) {
        world.manager.state(id)->setBoostEnabled(true);
        world.manager.state(id)->setBoostLevel(0.8);
    }
    world.settle();
    ASSERT_NE(world.sim.gamma.table(1).red, sim::SimGamma::identity().red);

    SettingsListView& settings = openSettings();
    press(settings.quitRow());
    EXPECT_TRUE(world.sim.application.isTerminated());
    for (DisplayId id : {1u, 2u}) {
        EXPECT_FALSE(world.manager.state(id)->isBoostEnabled.get());
        EXPECT_EQ(world.manager.state(id)->overlayWindow, nullptr);
        EXPECT_EQ(world.sim.gamma.table(id).red, sim::SimGamma::identity().red);
        EXPECT_EQ(world.sim.gamma.table(id).blue, sim::SimGamma::identity().blue);
    }
}

} // namespace
} // namespace brillex::test
