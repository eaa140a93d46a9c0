#include "boost/ScreenServices.h"

namespace brillex {

std::optional<Screen> ScreenServices::screenForDisplay(DisplayId id) const {
    for (auto& screen : screens()) {
        if (screen.displayId && *screen.displayId == id) return screen;
    }
    return std::nullopt;
}

} // namespace brillex
