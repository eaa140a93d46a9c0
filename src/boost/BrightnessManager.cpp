#include "boost/BrightnessManager.h"

#include <set>
#include <vector>

#include "base/Port.h"

namespace brillex {

BrightnessManager& BrightnessManager::shared() {
    static BrightnessManager* instance =
        new BrightnessManager(DisplayManager::shared(), Port<ScreenServices>::get(), Port<TransferTables>::get(),
                              Port<ExtendedRangeOutput>::get(), Port<MainLoop>::get());
    return *instance;
}

BrightnessManager::BrightnessManager(DisplayManager& displayManager, ScreenServices& screens, TransferTables& tables,
                                     ExtendedRangeOutput& output, MainLoop& loop)
    : displayManager(displayManager), screens_(screens), tables_(tables), output_(output), loop_(loop) {
    screenChanges_ = screens_.observeScreenChanges([this] { displaysChanged(); });
    syncDisplayStates();
}

void BrightnessManager::displaysChanged() {
    syncDisplayStates();
}

void BrightnessManager::syncDisplayStates() {
    displayManager.refreshDisplays();
    // A display that is back (or takes writes again) gets its own table now.
    unrestored_.writeBack(tables_);

    for (const auto& info : displayManager.xdrDisplays()) {
        if (displayStates->count(info.id) != 0) continue;
        auto state = std::make_unique<DisplayBoostState>(info, screens_, tables_, output_, loop_, unrestored_);
        auto& created = *state;
        displayStates.modify([&](StateMap& states) { states.emplace(info.id, std::move(state)); });
        // Held by the manager, so the forwarding never outlives it.
        cancellables_[info.id] = created.objectWillChange().connect([this] { objectWillChange().emit(); });
    }

    std::set<DisplayId> present;
    for (const auto& info : displayManager.xdrDisplays()) present.insert(info.id);

    for (const auto key : stateIds()) {
        if (present.count(key) != 0) continue;
        if (auto* leaving = state(key)) {
            // Level 0 first, then off: the display gets its saved table back before the state goes.
            leaving->setBoostLevel(0.0);
            leaving->setBoostEnabled(false);
        }
        displayStates.modify([key](StateMap& states) { states.erase(key); });
        cancellables_.erase(key);
    }
}

void BrightnessManager::disableAllBoosts() {
    // By id snapshot: an observer woken by a switch-off may touch the map.
    for (const auto key : stateIds()) {
        if (auto* each = state(key)) {
            each->setBoostLevel(0.0);
            each->setBoostEnabled(false);
        }
    }
    unrestored_.writeBack(tables_);
}

std::vector<DisplayId> BrightnessManager::stateIds() const {
    std::vector<DisplayId> ids;
    for (const auto& entry : displayStates.get()) ids.push_back(entry.first);
    return ids;
}

DisplayBoostState* BrightnessManager::state(DisplayId id) const {
    const auto it = displayStates->find(id);
    return it == displayStates->end() ? nullptr : it->second.get();
}

DisplayBoostState* BrightnessManager::builtInDisplayState() const {
    for (const auto& [key, state] : displayStates.get()) {
        if (state->displayInfo.isBuiltIn) return state.get();
    }
    return nullptr;
}

bool BrightnessManager::isMainDisplayBoosted() const {
    const auto* main = state(screens_.mainDisplay());
    return main != nullptr && main->isBoostEnabled.get();
}

double BrightnessManager::mainDisplayBoostLevel() const {
    const auto* main = state(screens_.mainDisplay());
    return main != nullptr ? main->boostLevel.get() : 0.0;
}

} // namespace brillex
