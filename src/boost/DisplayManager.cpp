#include "boost/DisplayManager.h"

#include <string>

#include "base/Log.h"
#include "base/Port.h"

namespace brillex {

DisplayManager& DisplayManager::shared() {
    static DisplayManager* instance = new DisplayManager(Port<ScreenServices>::get());
    return *instance;
}

DisplayManager::DisplayManager(ScreenServices& screens) : screens_(screens) {
    refreshDisplays();
    screenChanges_ = screens_.observeScreenChanges([this] { screensChanged(); });
}

void DisplayManager::refreshDisplays() {
    std::vector<DisplayInfo> found;
    for (const auto& screen : screens_.screens()) {
        if (!screen.displayId) continue;
        DisplayInfo info;
        info.id = *screen.displayId;
        info.name = screen.name;
        info.isBuiltIn = screens_.isBuiltIn(info.id);
        info.maxEDR = screen.maxPotentialEDR;
        info.supportsXDR = info.maxEDR > 1.0;
        found.push_back(std::move(info));
    }
    displays.set(std::move(found));
    logLine("Displays detected: " + std::to_string(displays->size()));
}

void DisplayManager::screensChanged() {
    refreshDisplays();
    if (onBrightnessChanged) onBrightnessChanged();
}

std::vector<DisplayInfo> DisplayManager::xdrDisplays() const {
    std::vector<DisplayInfo> result;
    for (const auto& info : displays.get()) {
        if (info.supportsXDR) result.push_back(info);
    }
    return result;
}

} // namespace brillex
