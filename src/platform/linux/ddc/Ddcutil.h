#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/BrightnessDevice.h"
#include "platform/linux/ddc/MonitorMatching.h"

namespace brillex::ddc {

// The monitors libddcutil reaches over /dev/i2c-N, and their brightness (VCP
// feature 0x10). The library is loaded at run time, so the program runs
// (without external monitors) where it is not installed. Detecting again invalidates what an earlier detection handed
// out: a device of an earlier detection answers kStale and closes nothing.
// Every call blocks for bus transactions; none belongs on the main thread.
class Ddcutil {
public:
    static constexpr std::int32_t kStale = -3020;  // DDCRC_INVALID_DISPLAY

    struct Monitor : BusMonitor {
        std::string model;  // the EDID's model name
        void* reference = nullptr;
        std::uint64_t generation = 0;
    };
    struct Detection {
        std::vector<Monitor> monitors;
        // A bus was there that could not be opened (EACCES), which the
        // library only says in its error detail.
        bool accessDenied = false;
    };

    // Loads libddcutil, on the main thread before anything else; why not, if
    // it cannot. Without it every detection finds nothing.
    static std::optional<std::string> load();
    // Detects the monitors (again, after the first time).
    static Detection detect();
    // The brightness of one detected monitor; its handle is opened by the
    // first call and closed when the device goes, on the caller's thread.
    static std::unique_ptr<BrightnessDevice> device(const Monitor& monitor);
    // The library's name of a status ("DDCRC_RETRIES", "EBUSY").
    static std::string statusName(std::int32_t status);
};

} // namespace brillex::ddc
