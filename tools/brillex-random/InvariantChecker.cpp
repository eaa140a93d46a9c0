#include "InvariantChecker.h"

#include <algorithm>

#include "base/Format.h"
#include "boost/BrightnessManager.h"

namespace brillex::sim {
namespace {

std::string display(DisplayId id) { return "display " + std::to_string(id); }

bool sameTable(const SimGamma::Table& table, const GammaTable& saved) {
    return std::equal(table.red.begin(), table.red.end(), saved.red.begin(), saved.red.end()) &&
           std::equal(table.green.begin(), table.green.end(), saved.green.begin(), saved.green.end()) &&
           std::equal(table.blue.begin(), table.blue.end(), saved.blue.begin(), saved.blue.end());
}

bool sameTable(const SimGamma::Table& a, const SimGamma::Table& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool anyBoostOn(const BrightnessManager& manager) {
    return std::any_of(manager.displayStates->begin(), manager.displayStates->end(),
                       [](const auto& entry) { return entry.second->isBoostEnabled.get(); });
}

} // namespace

void InvariantChecker::beforeStep(const std::string& line) {
    if (!launched_ && line == "launch") {
        launched_ = true;
        recordNewDisplays();
    }
}

void InvariantChecker::recordNewDisplays() {
    for (const auto& screen : sim_.screens.screens()) {
        if (screen.displayId && !original_.count(*screen.displayId)) {
            original_.emplace(*screen.displayId, sim_.gamma.table(*screen.displayId));
        }
    }
}

std::optional<Violation> InvariantChecker::afterStep(const std::string& line, const std::vector<std::string>& output) {
    for (const auto& printed : output) {
        if (printed.starts_with("!")) return Violation{"failed line", printed};
    }
    if (sim_.osdPanel.panelCount() > 1) {
        return Violation{"osd panels", std::to_string(sim_.osdPanel.panelCount()) + " panels exist"};
    }
    if (!launched_) return std::nullopt;
    // A display plugged in while the program runs has its own table until boosted.
    recordNewDisplays();
    auto& manager = BrightnessManager::shared();
    if (auto broken = checkStates(manager)) return broken;
    if (auto broken = checkOverlays(manager)) return broken;
    // Whenever no boost is on. A table the display refused to take back may
    // wait for the next chance, but quit and disable-all are such chances.
    if (anyBoostOn(manager)) return std::nullopt;
    return checkTablesRestored(manager, line == "quit" || line == "disable-all");
}

std::optional<Violation> InvariantChecker::checkStates(BrightnessManager& manager) {
    for (const auto& [id, state] : manager.displayStates.get()) {
        const double level = state->boostLevel.get();
        if (!(level >= 0.0 && level <= 1.0)) return Violation{"numbers", display(id) + " level " + formatNumber(level)};
        const double edr = (state->maxBoostMultiplier() - 1.0) * level + 1.0;
        const double scale = state->displayInfo.isBuiltIn ? 200.0 : 100.0;
        const bool shown = state->overlayView != nullptr;
        const int percent = shown ? static_cast<int>(level * scale) : 0;
        const int nits = shown ? static_cast<int>(edr * DisplayBoostState::baseNits) : 500;
        const int maxNits = static_cast<int>(state->maxBoostMultiplier() * DisplayBoostState::baseNits);
        if (state->boostPercent.get() != percent || state->currentNits.get() != nits ||
            state->maxNitsAvailable.get() != maxNits) {
            return Violation{"numbers", display(id) + " level " + formatNumber(level) + " shows " +
                                            std::to_string(state->boostPercent.get()) + "% " +
                                            std::to_string(state->currentNits.get()) + " of " +
                                            std::to_string(state->maxNitsAvailable.get()) + " nits, expected " +
                                            std::to_string(percent) + "% " + std::to_string(nits) + " of " +
                                            std::to_string(maxNits)};
        }
        if (shown && state->overlayView->edrValue != edr) {
            return Violation{"numbers", display(id) + " overlay at " + formatNumber(state->overlayView->edrValue) +
                                            ", level gives " + formatNumber(edr)};
        }
        if ((shown || state->originalGammaTable) && !state->isBoostEnabled.get()) {
            return Violation{"resources without boost", display(id) + " keeps an overlay or a saved table"};
        }
        // A table saved while the display still showed a boost would be
        // "restored" to a brightened one.
        const auto original = original_.find(id);
        if (state->originalGammaTable && original != original_.end() &&
            !sameTable(original->second, *state->originalGammaTable)) {
            return Violation{"saved table", display(id) + " saved a table that is not its own"};
        }
    }
    return std::nullopt;
}

std::optional<Violation> InvariantChecker::checkOverlays(BrightnessManager& manager) {
    std::map<DisplayId, int> visible;
    for (const auto& overlay : sim_.edrOutput.overlays()) {
        if (!overlay->isVisible()) continue;
        const auto* state = manager.state(overlay->display);
        if (!state || !state->isBoostEnabled.get()) {
            return Violation{"overlay without boost", display(overlay->display) + " shows an overlay"};
        }
        if (++visible[overlay->display] > 1) {
            return Violation{"overlay without boost", display(overlay->display) + " shows two overlays"};
        }
    }
    return std::nullopt;
}

std::optional<Violation> InvariantChecker::checkTablesRestored(const BrightnessManager& manager, bool lastChance) {
    for (const auto& [id, original] : original_) {
        if (!lastChance && manager.unrestoredTables().holds(id)) continue;
        // A detached display's table is out of reach, and a refused write
        // cannot be mended now; either is checked again once it is back.
        if (!sim_.screens.isAttached(id) || sim_.gamma.writeFails(id)) continue;
        if (!sameTable(sim_.gamma.table(id), original)) {
            return Violation{"table not restored", display(id) + " differs from its table before launch"};
        }
    }
    return std::nullopt;
}

} // namespace brillex::sim
