#include "platform/sim/SimScreens.h"

#include <algorithm>

namespace brillex::sim {

DisplayId SimScreens::mainDisplay() const {
    if (mainDisplay_) return *mainDisplay_;
    for (const auto& screen : screens_) {
        if (screen.displayId) return *screen.displayId;
    }
    return 0;
}

std::optional<Screen> SimScreens::mainScreen() const {
    if (!mainScreenSet_) return screenForDisplay(mainDisplay());
    if (!mainScreen_) return std::nullopt;
    return screenForDisplay(*mainScreen_);
}

Subscription SimScreens::observeScreenChanges(std::function<void()> changed) {
    return changed_.connect(std::move(changed));
}

void SimScreens::add(Screen screen, bool builtIn) {
    if (builtIn && screen.displayId) builtIn_.insert(*screen.displayId);
    // The first numbered screen becomes the main display unless one was chosen.
    if (!mainDisplay_ && screen.displayId) mainDisplay_ = screen.displayId;
    screens_.push_back(std::move(screen));
}

bool SimScreens::remove(DisplayId id) {
    const auto before = screens_.size();
    std::erase_if(screens_, [id](const Screen& s) { return s.displayId && *s.displayId == id; });
    return screens_.size() != before;
}

Screen* SimScreens::find(DisplayId id) {
    for (auto& screen : screens_) {
        if (screen.displayId && *screen.displayId == id) return &screen;
    }
    return nullptr;
}

bool SimScreens::isAttached(DisplayId id) const {
    return screenForDisplay(id).has_value();
}

} // namespace brillex::sim
