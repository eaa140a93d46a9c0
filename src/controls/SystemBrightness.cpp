#include "controls/SystemBrightness.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/Log.h"
#include "base/Port.h"

namespace brillex {

SystemBrightness::SystemBrightness(ScreenServices& screens, LibraryLoader& loader,
                                   const DisplayConnectServices& displayConnect, BrightnessSources& sources,
                                   MainLoop& loop)
    : screens_(screens), displayConnect_(displayConnect), sources_(sources), loop_(loop) {
    loadDisplayServices(loader);
    refreshDisplays();
    screenChanges_ = screens_.observeScreenChanges([this] { refreshDisplays(); });
    sourceChanges_ = sources_.observeSources(
        [this](DisplayId id, BrightnessSources::Change change) { sourceChanged(id, change); });
}

SystemBrightness& SystemBrightness::shared() {
    static SystemBrightness* instance =
        new SystemBrightness(Port<ScreenServices>::get(), Port<LibraryLoader>::get(), Port<DisplayConnectServices>::get(),
                             Port<BrightnessSources>::get(), Port<MainLoop>::get());
    return *instance;
}

void SystemBrightness::loadDisplayServices(LibraryLoader& loader) {
    const auto opened = loader.open(kDisplayServicesPath);
    displayServicesHandle = opened.library;
    if (!displayServicesHandle) {
        logLine("SystemBrightness: Failed to load DisplayServices - " + opened.error);
        return;
    }
    getBrightnessFunc =
        displayServicesHandle->function<DisplayBrightnessState::GetSignature>(kGetFunctionName);
    logLine(getBrightnessFunc ? "SystemBrightness: GetBrightness loaded" : "SystemBrightness: Failed to load GetBrightness");
    setBrightnessFunc =
        displayServicesHandle->function<DisplayBrightnessState::SetSignature>(kSetFunctionName);
    logLine(setBrightnessFunc ? "SystemBrightness: SetBrightness loaded" : "SystemBrightness: Failed to load SetBrightness");
}

void SystemBrightness::refreshDisplays() {
    const auto screens = screens_.screens();
    DisplayStates states = displayStates;
    bool changed = false;
    std::set<DisplayId> attached;
    for (const auto& screen : screens) {
        if (!screen.displayId) continue;
        const DisplayId id = *screen.displayId;
        attached.insert(id);
        if (states.count(id)) continue;
        states.emplace(id, makeState(id, screen.name));
        changed = true;
    }
    changed |= std::erase_if(states, [&](const auto& entry) { return !attached.count(entry.first); }) > 0;
    if (changed) displayStates = std::move(states);
}

std::shared_ptr<DisplayBrightnessState> SystemBrightness::makeState(DisplayId id, const std::string& name) {
    const auto source = sources_.sourceFor(id, {getBrightnessFunc, setBrightnessFunc});
    auto state =
        std::make_shared<DisplayBrightnessState>(id, screens_.isBuiltIn(id), name, source.get, source.set, screens_, loop_);
    read(*state);
    return state;
}

void SystemBrightness::sourceChanged(DisplayId id, BrightnessSources::Change change) {
    const auto found = displayStates.get().find(id);
    // A display without a state gets its source when its screen is next seen.
    if (found == displayStates.get().end()) return;
    if (change == BrightnessSources::Change::value) {
        read(*found->second);
        return;
    }
    // The functions of a state never change: a new source makes a new state.
    DisplayStates states = displayStates;
    states[id] = makeState(id, found->second->name);
    displayStates = std::move(states);
}

void SystemBrightness::refreshBrightness() {
    // A copy: a refresh must not be disturbed by the map being replaced.
    const DisplayStates states = displayStates;
    for (const auto& [id, state] : states) read(*state);
}

void SystemBrightness::startObserving() {
    observerTimer.invalidate();
    // The timer is a member, so its closure never outlives this object.
    observerTimer = loop_.schedule(kObserveInterval, true, [this] { refreshBrightness(); });
}

void SystemBrightness::stopObserving() {
    observerTimer.invalidate();
}

float SystemBrightness::mainDisplayBrightness() const {
    const auto& states = displayStates.get();
    const auto found = states.find(screens_.mainDisplay());
    return found == states.end() ? 1.0f : found->second->brightness.get();
}

void SystemBrightness::read(DisplayBrightnessState& state) const {
    // A reading that is not a number counts as failed; one outside 0.0 to 1.0
    // is taken at the nearest end.
    const auto accepted = [](float value) -> std::optional<float> {
        if (std::isnan(value)) return std::nullopt;
        return std::clamp(value, 0.0f, 1.0f);
    };
    if (state.getBrightnessFunc) {
        float value = 0.0f;
        if ((*state.getBrightnessFunc)(state.id, &value) == 0) {
            if (const auto usable = accepted(value)) {
                state.updateBrightness(*usable);
                return;
            }
        }
    }
    if (!state.isBuiltIn) return;
    if (const auto value = readDisplayConnect()) {
        if (const auto usable = accepted(*value)) state.updateBrightness(*usable);
    }
}

std::optional<float> SystemBrightness::readDisplayConnect() const {
    // Not tied to a display: the first service that answers speaks for the
    // built-in panel.
    const auto services = displayConnect_.matchingServices("IODisplayConnect");
    if (!services) return std::nullopt;
    for (const auto service : *services) {
        if (const auto value = displayConnect_.floatParameter(service, "brightness")) return value;
    }
    return std::nullopt;
}

} // namespace brillex
