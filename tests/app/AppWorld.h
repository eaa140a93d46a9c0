#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/BrillexApp.h"
#include "boost/BrightnessManager.h"
#include "boost/DisplayManager.h"
#include "controls/SystemBrightness.h"
#include "keys/BrightnessOSD.h"
#include "keys/KeyboardManager.h"
#include "platform/sim/SimComputer.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"
#include "support/TestScreens.h"

namespace brillex::test {

// A simulated computer with two XDR displays (1 built in, 2 external) and
// fresh model objects made on first use, as the shared ones are; `created`
// records the order in which they came to be. Members are declared so that
// users are destroyed before what they use.
struct AppWorld {
    AppWorld() {
        addScreen(1, "Built-in Retina Display", 16.0, true);
        addScreen(2, "Pro Display XDR", 6.0, false);
    }

    void addScreen(DisplayId id, const std::string& name, double potential, bool builtIn) {
        sim.screens.add(test::screenOf(id, name, potential, Rect{1440.0 * (id - 1), 0, 1440, 900}), builtIn);
    }

    AppSettings& settings() {
        if (!settings_) make(settings_, "AppSettings", sim.store, sim.loginItems);
        return *settings_;
    }
    BrightnessManager& manager() {
        if (!manager_) {
            if (!displayManager_) make(displayManager_, "DisplayManager", sim.screens);
            make(manager_, "BrightnessManager", *displayManager_, sim.screens, sim.gamma, sim.edrOutput, sim.loop);
        }
        return *manager_;
    }
    SystemBrightness& systemBrightness() {
        if (!systemBrightness_)
            make(systemBrightness_, "SystemBrightness", sim.screens, sim.libraries, sim.displayServices,
                 sim.displayServices, sim.loop);
        return *systemBrightness_;
    }
    BrightnessOSD& osd() {
        if (!osd_) make(osd_, "BrightnessOSD", sim.loop, sim.screens, sim.osdPanel);
        return *osd_;
    }
    KeyboardManager& keyboard() {
        if (!keyboard_)
            make(keyboard_, "KeyboardManager", sim.store, sim.accessibility, sim.eventTap, sim.screens, sim.loop,
                 KeyboardManager::Models{[this]() -> BrightnessManager& { return manager(); },
                                         [this]() -> SystemBrightness& { return systemBrightness(); },
                                         [this]() -> AppSettings& { return settings(); },
                                         [this]() -> BatteryMonitor& { return battery(); },
                                         [this]() -> BrightnessOSD& { return osd(); }});
        return *keyboard_;
    }
    BatteryMonitor& battery() {
        if (!battery_) make(battery_, "BatteryMonitor", sim.powerSources, sim.loop);
        return *battery_;
    }

    AppModels models() {
        return AppModels{[this]() -> AppSettings& { return settings(); },
                         [this]() -> BatteryMonitor& { return battery(); },
                         [this]() -> BrightnessManager& { return manager(); },
                         [this]() -> KeyboardManager& { return keyboard(); },
                         [this]() -> SystemBrightness& { return systemBrightness(); }};
    }
    AppDelegate::Platform platform() {
        return AppDelegate::Platform{sim.statusBar, sim.popovers, sim.eventMonitor, sim.application,
                                     sim.loop,      sim.accessibility};
    }

    AppDelegate& delegate() {
        if (!app_) app_.emplace(platform(), models());
        return app_->appDelegate;
    }
    void launch() {
        delegate();
        app_->run();
        sim.loop.runPending();
    }
    void quit() {
        sim.application.terminate();
        sim.loop.runPending();
    }
    const BoostPolicy& policy() { return delegate().policy(); }

    void boost(DisplayId id, bool on, double level = 0.5) {
        auto* state = manager().state(id);
        state->setBoostEnabled(on);
        if (on) state->setBoostLevel(level);
        sim.loop.runPending();
    }
    bool boosted(DisplayId id) { return manager().state(id)->isBoostEnabled.get(); }
    // Advances the clock to `time` seconds after start.
    void runUntil(double time) { sim.loop.advance(time - sim.loop.now()); }

    // One power source: `current` of 1000 units, on battery or external power.
    void power(int current, bool onBattery) {
        PowerSourceDescription description{
            {kPowerSourceCurrentCapacityKey, std::int64_t{current}},
            {kPowerSourceMaxCapacityKey, std::int64_t{1000}},
            {kPowerSourceStateKey, std::string(onBattery ? kPowerSourceBatteryPowerValue : "AC Power")}};
        sim.powerSources.list = std::vector<PowerSources::Source>{description};
    }
    // The battery monitor's next poll.
    void poll() { sim.loop.advance(BatteryMonitor::kPollInterval); }

    sim::SimComputer sim;
    std::vector<std::string> created;

private:
    template <class T, class... Args>
    void make(std::optional<T>& slot, const char* name, Args&&... args) {
        created.push_back(name);
        slot.emplace(std::forward<Args>(args)...);
    }

    std::optional<AppSettings> settings_;
    std::optional<DisplayManager> displayManager_;
    std::optional<BrightnessManager> manager_;
    std::optional<SystemBrightness> systemBrightness_;
    std::optional<BrightnessOSD> osd_;
    std::optional<BatteryMonitor> battery_;
    std::optional<KeyboardManager> keyboard_;
    std::optional<BrillexApp> app_;
};

} // namespace brillex::test
