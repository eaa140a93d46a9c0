#include "controls/DisplayBrightnessState.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Log.h"

namespace brillex {

DisplayBrightnessState::DisplayBrightnessState(DisplayId id, bool isBuiltIn, std::string name,
                                               std::optional<GetFunction> getBrightnessFunc,
                                               std::optional<SetFunction> setBrightnessFunc,
                                               const ScreenServices& screens, MainLoop& loop)
    : id(id), isBuiltIn(isBuiltIn), name(std::move(name)), getBrightnessFunc(std::move(getBrightnessFunc)),
      setBrightnessFunc(std::move(setBrightnessFunc)), screens_(screens), tasks_(loop) {}

bool DisplayBrightnessState::setBrightness(float value) {
    if (!setBrightnessFunc) return false;
    const float clamped = std::isnan(value) ? 1.0f : std::clamp(value, 0.0f, 1.0f);
    const std::int32_t status = (*setBrightnessFunc)(id, clamped);
    if (status != 0) {
        logLine("SystemBrightness: SetBrightness failed for display " + std::to_string(id) +
                ", error: " + std::to_string(status));
        return false;
    }
    tasks_.post([this, clamped] { brightness = clamped; });
    return true;
}

void DisplayBrightnessState::updateBrightness(float value) {
    tasks_.post([this, value] {
        brightness = value;
        if (!canReadBrightness) canReadBrightness = true;
    });
}

int DisplayBrightnessState::brightnessPercent() const {
    return static_cast<int>(std::round(brightness * 100.0f));
}

bool DisplayBrightnessState::isAtFullBrightness() const {
    if (canReadBrightness) return brightness >= 0.99f;
    const auto screen = screens_.screenForDisplay(id);
    if (!screen) return false;
    const double potential = screen->maxPotentialEDR;
    if (!(potential > 1.0)) return false;
    return screen->maxReferenceEDR / potential >= 0.95;
}

} // namespace brillex
