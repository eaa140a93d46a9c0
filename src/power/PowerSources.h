#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brillex {

// A value in a power-source description, typed as the system reports it.
using PowerSourceValue = std::variant<std::int64_t, double, bool, std::string>;
using PowerSourceDescription = std::map<std::string, PowerSourceValue>;

// The system's published power-source keys and the battery state value.
inline constexpr const char* kPowerSourceCurrentCapacityKey = "Current Capacity";
inline constexpr const char* kPowerSourceMaxCapacityKey = "Max Capacity";
inline constexpr const char* kPowerSourceStateKey = "Power Source State";
inline constexpr const char* kPowerSourceBatteryPowerValue = "Battery Power";
inline constexpr const char* kPowerSourceIsChargingKey = "Is Charging";

// What the system tells about the computer's power sources.
class PowerSources {
public:
    // One power source of a snapshot; no description when the system gives
    // none, or none in the form of a dictionary with text keys.
    using Source = std::optional<PowerSourceDescription>;

    virtual ~PowerSources() = default;

    // One snapshot: the sources in the system's order, or nothing when the
    // system gives no list.
    virtual std::optional<std::vector<Source>> snapshot() const = 0;
};

} // namespace brillex
