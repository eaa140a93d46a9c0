#include "platform/linux/ddc/DdcciBacklight.h"

#include <cerrno>
#include <cmath>

#include "platform/linux/services/SysfsBacklight.h"

namespace brillex::ddc {
namespace fs = std::filesystem;

DdcciBacklight::DdcciBacklight(fs::path folder, QDBusConnection systemBus)
    : folder_(std::move(folder)), writer_(std::move(systemBus)) {}

std::optional<fs::path> DdcciBacklight::find(const fs::path& sysfs, int bus) {
    const fs::path folder = sysfs / "class" / "backlight" / ("ddcci" + std::to_string(bus));
    if (!x11::SysfsBacklight(folder).maxBrightness()) return std::nullopt;
    return folder;
}

BrightnessDevice::Reading DdcciBacklight::read() {
    // Read without the panel's fault log: this runs away from the main thread.
    const auto maximum = x11::readSysfsNumber(folder_ / "max_brightness");
    const auto level = x11::readSysfsNumber(folder_ / "brightness");
    if (!maximum || *maximum == 0 || !level) return {EIO, 0.0f};
    return {0, static_cast<float>(std::min(1.0, static_cast<double>(*level) / static_cast<double>(*maximum)))};
}

std::int32_t DdcciBacklight::write(float value) {
    const x11::SysfsBacklight device(folder_);
    const auto maximum = device.maxBrightness();
    if (!maximum) return EIO;
    // A monitor's lowest step dims it; unlike a panel's 0 it never switches it off.
    const auto level = static_cast<std::uint32_t>(std::lround(static_cast<double>(value) * *maximum));
    return writer_.write(device, level);
}

} // namespace brillex::ddc
