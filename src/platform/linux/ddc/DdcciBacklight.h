#pragma once

#include <filesystem>

#include <QDBusConnection>

#include "controls/BrightnessDevice.h"
#include "platform/linux/services/BacklightWriter.h"

namespace brillex::ddc {

// A monitor that the kernel's ddcci-backlight driver shows as a backlight
// device (/sys/class/backlight/ddcciN, N its I2C bus). Each access is a DDC/CI
// transaction inside the kernel, so it runs on a worker as the library's does;
// writes go through logind as the panel's do, or straight into the file where
// logind will not.
class DdcciBacklight : public BrightnessDevice {
public:
    DdcciBacklight(std::filesystem::path folder, QDBusConnection systemBus);

    // The device folder for bus `bus` under `sysfs`, when it has a usable range.
    static std::optional<std::filesystem::path> find(const std::filesystem::path& sysfs, int bus);

    Reading read() override;
    std::int32_t write(float value) override;

private:
    std::filesystem::path folder_;
    x11::BacklightWriter writer_;
};

} // namespace brillex::ddc
