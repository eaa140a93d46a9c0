#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brillex::x11 {

// A CRTC's 16-bit ramp and the core's float tables differ in size (the core
// always speaks 256 entries; CRTCs commonly have 256, 1024 or 4096). Both ways
// go by linear interpolation between neighbouring entries, the ends mapping
// onto the ends.

// `count` floats in 0..1 from a 16-bit channel.
std::vector<float> tableFromRamp(const std::vector<std::uint16_t>& ramp, std::size_t count);

// `size` 16-bit entries from `count` floats; values above 1.0 clip to 65535,
// below 0.0 (or not a number) to 0.
std::vector<std::uint16_t> rampFromTable(const float* table, std::size_t count, std::size_t size);

} // namespace brillex::x11
