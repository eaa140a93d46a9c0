#include "platform/linux/ramps/RampResampling.h"

#include <cmath>

namespace brillex::x11 {
namespace {

constexpr double kFull = 65535.0;

// The value at fractional position `at` (0 .. size-1) of `values`.
template <class Value>
double interpolate(const Value* values, std::size_t size, double at) {
    const auto below = static_cast<std::size_t>(at);
    if (below + 1 >= size) return static_cast<double>(values[size - 1]);
    const double weight = at - static_cast<double>(below);
    if (weight == 0.0) return static_cast<double>(values[below]);
    return static_cast<double>(values[below]) * (1.0 - weight) + static_cast<double>(values[below + 1]) * weight;
}

// Where entry `i` of `to` entries falls among `from` entries.
double position(std::size_t i, std::size_t to, std::size_t from) {
    if (to <= 1) return 0.0;
    return static_cast<double>(i) * static_cast<double>(from - 1) / static_cast<double>(to - 1);
}

} // namespace

std::vector<float> tableFromRamp(const std::vector<std::uint16_t>& ramp, std::size_t count) {
    std::vector<float> table(count, 0.0f);
    if (ramp.empty()) return table;
    for (std::size_t i = 0; i < count; ++i) {
        table[i] = static_cast<float>(interpolate(ramp.data(), ramp.size(), position(i, count, ramp.size())) / kFull);
    }
    return table;
}

std::vector<std::uint16_t> rampFromTable(const float* table, std::size_t count, std::size_t size) {
    std::vector<std::uint16_t> ramp(size, 0);
    if (count == 0) return ramp;
    for (std::size_t j = 0; j < size; ++j) {
        const double value = interpolate(table, count, position(j, size, count)) * kFull;
        if (std::isnan(value) || value <= 0.0) continue;
        ramp[j] = value >= kFull ? 65535 : static_cast<std::uint16_t>(std::lround(value));
    }
    return ramp;
}

} // namespace brillex::x11
