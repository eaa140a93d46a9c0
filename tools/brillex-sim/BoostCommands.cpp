#include "Runner.h"

#include <sstream>
#include <string>

#include "base/Format.h"
#include "boost/BrightnessManager.h"
#include "boost/DisplayManager.h"

namespace brillex::sim {
namespace {

Rect rectOption(const Command& command, const std::string& key) {
    std::vector<double> parts;
    std::stringstream text(command.option(key).text);
    std::string part;
    while (std::getline(text, part, ',')) parts.push_back(parseNumber(part));
    if (parts.size() != 4) throw CommandError(key + " needs X,Y,W,H");
    return Rect{parts[0], parts[1], parts[2], parts[3]};
}

// Applies the headroom and frame options of "screen add" and "screen set".
void applyScreenOptions(const Command& command, Screen& screen) {
    if (command.has("potential")) screen.maxPotentialEDR = command.numberOption("potential");
    if (command.has("reference")) screen.maxReferenceEDR = command.numberOption("reference");
    if (command.has("frame")) screen.frame = rectOption(command, "frame");
    if (command.has("visible")) screen.visibleFrame = rectOption(command, "visible");
}

std::string joined(const std::vector<DisplayId>& ids) {
    std::string text;
    for (const auto id : ids) text += (text.empty() ? "" : ",") + std::to_string(id);
    return text;
}

DisplayBoostState& boostState(DisplayId id) {
    auto* state = BrightnessManager::shared().state(id);
    if (!state) throw CommandError("no boost state for display " + std::to_string(id));
    return *state;
}

void addScreenCommands(Runner& runner) {
    runner.add("screen add", [&runner](const Command& command) {
        if (command.count() < 4 || command.count() > 5) throw CommandError("screen add ID \"NAME\" [builtin] [options]");
        const bool builtIn = command.count() == 5;
        if (builtIn && command.text(4) != "builtin") throw CommandError("unexpected argument: " + command.text(4));
        Screen screen;
        screen.displayId = displayId(command, 2);
        screen.name = command.text(3);
        screen.maxPotentialEDR = command.has("potential") ? command.numberOption("potential") : 1.0;
        screen.maxReferenceEDR = screen.maxPotentialEDR;
        screen.frame = Rect{0.0, 0.0, 1440.0, 900.0};
        applyScreenOptions(command, screen);
        if (!command.has("visible")) screen.visibleFrame = screen.frame;
        runner.sim().screens.add(std::move(screen), builtIn);
    });
    runner.add("screen add-unnumbered", [&runner](const Command& command) {
        command.expectWords(3);
        Screen screen;
        screen.name = command.text(2);
        if (command.has("potential")) screen.maxPotentialEDR = command.numberOption("potential");
        screen.maxReferenceEDR = screen.maxPotentialEDR;
        screen.frame = Rect{0.0, 0.0, 1440.0, 900.0};
        screen.visibleFrame = screen.frame;
        runner.sim().screens.add(std::move(screen));
    });
    runner.add("screen remove", [&runner](const Command& command) {
        command.expectWords(3);
        const auto id = displayId(command, 2);
        if (!runner.sim().screens.remove(id)) throw CommandError("no screen for display " + std::to_string(id));
    });
    runner.add("screen set", [&runner](const Command& command) {
        command.expectWords(3);
        const auto id = displayId(command, 2);
        auto* screen = runner.sim().screens.find(id);
        if (!screen) throw CommandError("no screen for display " + std::to_string(id));
        applyScreenOptions(command, *screen);
    });
    runner.add("main", [&runner](const Command& command) {
        command.expectWords(2);
        runner.sim().screens.setMainDisplay(displayId(command, 1));
    });
    runner.add("main-screen", [&runner](const Command& command) {
        command.expectWords(2);
        if (command.text(1) == "none") {
            runner.sim().screens.setMainScreen(std::nullopt);
        } else {
            runner.sim().screens.setMainScreen(displayId(command, 1));
        }
    });
    runner.add("notify screens", [&runner](const Command& command) {
        command.expectWords(2);
        runner.sim().screens.notifyScreenChange();
    });
    runner.add("metal", [&runner](const Command& command) {
        command.expectWords(2);
        const auto& state = command.text(1);
        if (state != "on" && state != "off") throw CommandError("metal on|off");
        runner.sim().edrOutput.deviceAvailable = state == "on";
    });
}

void addGammaCommands(Runner& runner) {
    runner.add("gamma", [&runner](const Command& command) {
        if (command.count() < 3) throw CommandError("missing argument");
        auto& gamma = runner.sim().gamma;
        const auto id = displayId(command, 1);
        const auto& what = command.text(2);
        if (what == "read-fails" || what == "write-fails" || what == "ok") {
            command.expectWords(3);
            gamma.setReadFails(id, what == "read-fails");
            gamma.setWriteFails(id, what == "write-fails");
        } else if (what == "fill") {
            command.expectWords(4);
            gamma.fill(id, static_cast<float>(command.number(3)));
        } else if (what == "entry") {
            command.expectWords(7);
            const long long index = command.integer(3);
            if (index < 0 || index >= static_cast<long long>(SimGamma::size)) throw CommandError("no entry " + command.text(3));
            auto& table = gamma.table(id);
            const auto i = static_cast<std::size_t>(index);
            table.red[i] = static_cast<float>(command.number(4));
            table.green[i] = static_cast<float>(command.number(5));
            table.blue[i] = static_cast<float>(command.number(6));
        } else {
            throw CommandError("unknown gamma command: " + what);
        }
    });
    runner.add("show gamma", [&runner](const Command& command) {
        command.expectWords(4);
        const auto id = displayId(command, 2);
        const long long index = command.integer(3);
        if (index < 0 || index >= static_cast<long long>(SimGamma::size)) throw CommandError("no entry " + command.text(3));
        const auto& table = runner.sim().gamma.table(id);
        const auto i = static_cast<std::size_t>(index);
        runner.answer("gamma", {{"id", std::to_string(id)},
                                {"index", std::to_string(i)},
                                {"r", formatNumber(table.red[i])},
                                {"g", formatNumber(table.green[i])},
                                {"b", formatNumber(table.blue[i])}});
    });
}

void addBoostStateCommands(Runner& runner) {
    runner.add("boost", [](const Command& command) {
        command.expectWords(3);
        const auto& what = command.text(2);
        if (what != "on" && what != "off") throw CommandError("boost ID on|off");
        boostState(displayId(command, 1)).setBoostEnabled(what == "on");
    });
    runner.add("level", [](const Command& command) {
        command.expectWords(3);
        boostState(displayId(command, 1)).setBoostLevel(command.number(2));
    });
    runner.add("boost-up", [](const Command& command) {
        command.expectWords(2);
        boostState(displayId(command, 1)).increaseBoost();
    });
    runner.add("boost-down", [](const Command& command) {
        command.expectWords(2);
        boostState(displayId(command, 1)).decreaseBoost();
    });
    runner.add("disable-all", [](const Command& command) {
        command.expectWords(1);
        BrightnessManager::shared().disableAllBoosts();
    });
    runner.add("sync", [](const Command& command) {
        command.expectWords(1);
        BrightnessManager::shared().syncDisplayStates();
    });
}

void addBoostQueries(Runner& runner) {
    runner.add("show state", [&runner](const Command& command) {
        command.expectWords(3);
        const auto& state = boostState(displayId(command, 2));
        runner.answer("state", {{"id", std::to_string(state.id)},
                                {"enabled", formatBool(state.isBoostEnabled)},
                                {"level", formatNumber(state.boostLevel.get())},
                                {"percent", std::to_string(state.boostPercent.get())},
                                {"nits", std::to_string(state.currentNits.get())},
                                {"max", std::to_string(state.maxNitsAvailable.get())},
                                {"multiplier", formatNumber(state.maxBoostMultiplier())},
                                {"xdr-capable", formatBool(state.isXDRCapable())},
                                {"overlay", formatBool(state.overlayView != nullptr)},
                                {"table", formatBool(state.originalGammaTable.has_value())}});
    });
    runner.add("show overlay", [&runner](const Command& command) {
        command.expectWords(3);
        const auto id = displayId(command, 2);
        const auto* overlay = runner.sim().edrOutput.overlay(id);
        if (!overlay) {
            runner.answer("overlay", {{"id", std::to_string(id)}, {"present", "false"}});
            return;
        }
        const auto& state = boostState(id);
        const auto color = overlay->color.value_or(ClearColor{});
        const auto& origin = overlay->settings.contentRect;
        runner.answer("overlay",
                      {{"id", std::to_string(id)},
                       {"present", "true"},
                       {"edr", formatNumber(state.overlayView ? state.overlayView->edrValue : color.red)},
                       {"color", formatNumber(color.red) + "," + formatNumber(color.green) + "," +
                                     formatNumber(color.blue) + "," + formatNumber(color.alpha)},
                       {"origin", formatNumber(origin.x) + "," + formatNumber(origin.y)}});
    });
    runner.add("show displays", [&runner](const Command& command) {
        command.expectWords(2);
        auto& manager = DisplayManager::shared();
        for (const auto& info : manager.displays.get()) {
            runner.answer("display", {{"id", std::to_string(info.id)},
                                      {"name", quoted(info.name)},
                                      {"builtin", formatBool(info.isBuiltIn)},
                                      {"max-edr", formatNumber(info.maxEDR)},
                                      {"xdr", formatBool(info.supportsXDR)}});
        }
        std::vector<DisplayId> xdr;
        for (const auto& info : manager.xdrDisplays()) xdr.push_back(info.id);
        runner.answer("displays", {{"count", std::to_string(manager.displays->size())}, {"xdr", joined(xdr)}});
    });
    runner.add("show manager", [&runner](const Command& command) {
        command.expectWords(2);
        auto& manager = BrightnessManager::shared();
        const auto* builtIn = manager.builtInDisplayState();
        runner.answer("manager", {{"states", joined(manager.stateIds())},
                                  {"builtin", builtIn ? std::to_string(builtIn->id) : "none"},
                                  {"main-boosted", formatBool(manager.isMainDisplayBoosted())},
                                  {"main-level", formatNumber(manager.mainDisplayBoostLevel())}});
    });
}

} // namespace

void addBoostCommands(Runner& runner) {
    addScreenCommands(runner);
    addGammaCommands(runner);
    addBoostStateCommands(runner);
    addBoostQueries(runner);
}

} // namespace brillex::sim
