#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/linux/services/FaultLog.h"

namespace brillex::x11 {

// One backlight device of the kernel's backlight class (a folder such as
// /sys/class/backlight/intel_backlight). Every value is read afresh, so a
// change made by another program or by the firmware is seen at once.
class SysfsBacklight {
public:
    // The device systemd would take for the panel: a "firmware" one first,
    // then "platform", then "raw"; by name within a kind. Devices whose
    // maximum cannot be read or is 0 are passed over, and so are external
    // monitors shown by the ddcci driver (raw "ddcciN"). None when
    // `classFolder` holds no usable device.
    static std::optional<SysfsBacklight> find(const std::filesystem::path& classFolder);

    explicit SysfsBacklight(std::filesystem::path folder);

    // The device's name, as logind's SetBrightness wants it.
    std::string name() const { return folder_.filename().string(); }
    const std::filesystem::path& folder() const { return folder_; }

    // "max_brightness"; none when unreadable or 0.
    std::optional<std::uint32_t> maxBrightness() const;
    // "brightness" (the level last requested) or "actual_brightness" (what
    // the hardware reports) over the maximum, in 0.0 to 1.0: a value above
    // the maximum reads as 1.0. None when either file is unreadable. A file
// that holds no number, or a level above the maximum, is logged once.
    std::optional<float> brightness() const { return fraction("brightness"); }
    std::optional<float> actualBrightness() const { return fraction("actual_brightness"); }

    // Writes a raw level into "brightness"; the errno of the failure, or 0.
    int write(std::uint32_t level) const;

private:
    std::optional<float> fraction(const char* file) const;

    std::filesystem::path folder_;
    mutable FaultLog faults_;
};

// An unsigned decimal number from a small sysfs file (a trailing newline
// allowed); none for anything else.
std::optional<std::uint64_t> readSysfsNumber(const std::filesystem::path& file);

} // namespace brillex::x11
