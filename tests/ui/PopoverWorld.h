#pragma once

#include <QCoreApplication>
#include <QTest>

#include <functional>
#include <string>

#include "boost/BrightnessManager.h"
#include "app/AppModels.h"
#include "boost/DisplayManager.h"
#include "controls/DisplayFeatures.h"
#include "controls/KeyboardBrightness.h"
#include "controls/SystemBrightness.h"
#include "keys/BrightnessOSD.h"
#include "keys/KeyboardManager.h"
#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"
#include "support/TestScreens.h"
#include "ui/screens/ContentView.h"
#include "ui/screens/ViewEnvironment.h"

namespace brillex::test {

// The simulated computer furnished before any model object exists.
struct Furnished {
    explicit Furnished(const std::function<void(sim::SimComputer&)>& furnish) { furnish(sim); }
    sim::SimComputer sim;
};

inline void addScreen(sim::SimComputer& sim, DisplayId id, const std::string& name, double potentialEDR, bool builtIn) {
    sim.screens.add(test::screenOf(id, name, potentialEDR, Rect{1440.0 * (id - 1), 0, 1440, 900}), builtIn);
}

// A laptop with an XDR panel (1) and a Pro Display XDR beside it (2).
inline void laptopWithProDisplay(sim::SimComputer& sim) {
    addScreen(sim, 1, "Built-in Liquid Retina XDR Display", 16.0, true);
    addScreen(sim, 2, "Pro Display XDR", 6.0, false);
}

// Fresh model objects on a simulated computer, the popover's environment
// over them, and helpers to let the views catch up.
struct PopoverWorld : Furnished {
    explicit PopoverWorld(const std::function<void(sim::SimComputer&)>& furnish = laptopWithProDisplay)
        : Furnished(furnish) {}

    ViewEnvironment environment() {
        return ViewEnvironment{manager,      battery,           settings,     loc,
                               systemBrightness, displayManager, keyboard,     features,
                               sim.accessibility, sim.workspace, sim.application};
    }

    // Models announce before they change and publish what they read on a
    // later turn; views redraw on the turn after that.
    void settle() {
        for (int i = 0; i < 4; ++i) {
            sim.loop.runPending();
            QCoreApplication::processEvents();
        }
    }

    void power(double percent, bool onBattery, bool charging) {
        sim.powerSources.list = std::vector<PowerSources::Source>{PowerSourceDescription{
            {kPowerSourceCurrentCapacityKey, static_cast<std::int64_t>(percent * 10)},
            {kPowerSourceMaxCapacityKey, std::int64_t{1000}},
            {kPowerSourceStateKey, std::string(onBattery ? kPowerSourceBatteryPowerValue : "AC Power")},
            {kPowerSourceIsChargingKey, charging}}};
        battery.updateBatteryStatus();
        settle();
    }

    DisplayManager displayManager{sim.screens};
    BrightnessManager manager{displayManager, sim.screens, sim.gamma, sim.edrOutput, sim.loop};
    BatteryMonitor battery{sim.powerSources, sim.loop};
    AppSettings settings{sim.store, sim.loginItems};
    Localization loc{sim.store};
    SystemBrightness systemBrightness{sim.screens, sim.libraries, sim.displayServices, sim.displayServices, sim.loop};
    KeyboardBrightness keyboard{sim.loop, sim.objects};
    DisplayFeatures features{sim.loop, sim.objects, sim.libraries, sim.appearance};
};

// What the application delegate needs beyond the popover's models: the key
// manager with its OSD, and the shell's view of the models.
struct ShellModels {
    explicit ShellModels(PopoverWorld& world) : world(world) {}

    AppModels models() {
        return AppModels{[this]() -> AppSettings& { return world.settings; },
                         [this]() -> BatteryMonitor& { return world.battery; },
                         [this]() -> BrightnessManager& { return world.manager; },
                         [this]() -> KeyboardManager& { return keys; },
                         [this]() -> SystemBrightness& { return world.systemBrightness; }};
    }

    PopoverWorld& world;
    BrightnessOSD osd{world.sim.loop, world.sim.screens, world.sim.osdPanel};
    KeyboardManager keys{world.sim.store, world.sim.accessibility, world.sim.eventTap, world.sim.screens, world.sim.loop,
                         KeyboardManager::Models{[this]() -> BrightnessManager& { return world.manager; },
                                                 [this]() -> SystemBrightness& { return world.systemBrightness; },
                                                 [this]() -> AppSettings& { return world.settings; },
                                                 [this]() -> BatteryMonitor& { return world.battery; },
                                                 [this]() -> BrightnessOSD& { return osd; }}};
};

// Clicks a widget in its middle.
inline void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }

// Presses at `from` and drags to `to`, both fractions of the widget's width.
inline void drag(QWidget* widget, double from, double to) {
    const int y = widget->height() / 2;
    const auto at = [&](double fraction) { return QPoint(static_cast<int>(fraction * (widget->width() - 1)), y); };
    QTest::mousePress(widget, Qt::LeftButton, {}, at(from));
    QTest::mouseMove(widget, at((from + to) / 2));
    QTest::mouseMove(widget, at(to));
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at(to));
}

} // namespace brillex::test
