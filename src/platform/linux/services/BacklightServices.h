#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "boost/ScreenServices.h"
#include "controls/DisplayConnectServices.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/services/BacklightWriter.h"
#include "platform/linux/services/FaultLog.h"
#include "platform/linux/services/SysfsBacklight.h"

namespace brillex::x11 {

// The built-in panel's backlight as the per-display brightness source the
// core loads by name: its get and set functions serve the built-in display
// and refuse every other one; the display-connect reading is the device's
// actual brightness. Without a backlight device nothing is placed at the
// library's path, so the core reports the library missing.
class BacklightServices : public DisplayConnectServices {
public:
    // What the functions answer besides 0 (errno values, as a Linux reader expects).
    static constexpr std::int32_t kNoBacklight = 19;  // ENODEV: not the built-in panel
    static constexpr std::int32_t kUnreadable = 5;    // EIO

    BacklightServices(platform::LibraryRegistry& libraries, const ScreenServices& screens,
                      const std::filesystem::path& backlightClass, QDBusConnection systemBus);

    const std::optional<SysfsBacklight>& device() const { return device_; }

    std::optional<std::vector<Service>> matchingServices(const std::string& className) const override;
    std::optional<float> floatParameter(Service service, const std::string& key) const override;

private:
    std::int32_t get(DisplayId id, float* value) const;
    std::int32_t set(DisplayId id, float value);

    const ScreenServices& screens_;
    std::optional<SysfsBacklight> device_;
    BacklightWriter writer_;
    FaultLog faults_;
};

} // namespace brillex::x11
