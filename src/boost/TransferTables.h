#pragma once

#include <cstdint>

#include "boost/ScreenServices.h"

namespace brillex {

// Per-display gamma transfer tables: one lookup table of floats per colour
// channel. Status results follow the platform: 0 is success.
class TransferTables {
public:
    virtual ~TransferTables() = default;

    // Fills up to `capacity` entries of each channel array; `sampleCount`
    // receives how many the display has.
    virtual int getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                                 std::uint32_t& sampleCount) = 0;
    // Installs `count` entries per channel.
    virtual int setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                                 const float* blue) = 0;
};

} // namespace brillex
