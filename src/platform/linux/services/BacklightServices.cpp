#include "platform/linux/services/BacklightServices.h"

#include <algorithm>
#include <cmath>

#include "base/Log.h"
#include "controls/DisplayBrightnessState.h"
#include "controls/SystemBrightness.h"

namespace brillex::x11 {

BacklightServices::BacklightServices(platform::LibraryRegistry& libraries, const ScreenServices& screens,
                                     const std::filesystem::path& backlightClass, QDBusConnection systemBus)
    : screens_(screens), device_(SysfsBacklight::find(backlightClass)), writer_(std::move(systemBus)) {
    if (!device_) {
        logLine("Backlight: no usable device in " + backlightClass.string());
        return;
    }
    logLine("Backlight: " + device_->folder().string());
    const std::string path = SystemBrightness::kDisplayServicesPath;
    libraries.define<DisplayBrightnessState::GetSignature>(
        path, SystemBrightness::kGetFunctionName, [this](DisplayId id, float* value) { return get(id, value); });
    libraries.define<DisplayBrightnessState::SetSignature>(
        path, SystemBrightness::kSetFunctionName, [this](DisplayId id, float value) { return set(id, value); });
}

std::int32_t BacklightServices::get(DisplayId id, float* value) const {
    if (!screens_.isBuiltIn(id)) return kNoBacklight;
    const auto level = device_->brightness();
    if (!level) return kUnreadable;
    *value = *level;
    return 0;
}

std::int32_t BacklightServices::set(DisplayId id, float value) {
    if (!screens_.isBuiltIn(id)) return kNoBacklight;
    const auto maximum = device_->maxBrightness();
    // The core clamps, but a value from anywhere else must not reach the hardware unchecked.
    if (!maximum || !(value >= 0.0f && value <= 1.0f)) return kUnreadable;
    // Level 0 switches many panels' backlight off altogether, leaving a black
    // screen with no way to see the slider: the lowest step is the least written.
    const auto level = std::max<std::uint32_t>(1, static_cast<std::uint32_t>(std::lround(static_cast<double>(value) * *maximum)));
    return writer_.write(*device_, level, [this](const std::string& refused) {
        faults_.once("Backlight: logind did not set the brightness (" + refused + "); writing " +
                     (device_->folder() / "brightness").string() + " instead");
    });
}

std::optional<std::vector<DisplayConnectServices::Service>>
BacklightServices::matchingServices(const std::string& className) const {
    if (className != "IODisplayConnect" || !device_) return std::vector<Service>{};
    return std::vector<Service>{0};
}

std::optional<float> BacklightServices::floatParameter(Service service, const std::string& key) const {
    if (service != 0 || key != "brightness" || !device_) return std::nullopt;
    return device_->actualBrightness();
}

} // namespace brillex::x11
