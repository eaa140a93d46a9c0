#pragma once

#include <cstdint>
#include <string>

#include "boost/ScreenServices.h"

namespace brillex {

// Per-display gamma transfer tables: one lookup table of floats per colour
// channel. Status results follow the platform: 0 is success.
class TransferTables {
public:
    // getTransferTable's status when the display's own table could not be
    // kept safe outside the program now, so that a crash of the program
    // would leave the display brightened: no boost may change it.
    // whyUnprotected() then says why and what to do, in one sentence.
    static constexpr int kUnprotected = -27001;

    virtual ~TransferTables() = default;

    // Fills up to `capacity` entries of each channel array; `sampleCount`
    // receives how many the display has.
    virtual int getTransferTable(DisplayId display, std::uint32_t capacity, float* red, float* green, float* blue,
                                 std::uint32_t& sampleCount) = 0;
    // Installs `count` entries per channel.
    virtual int setTransferTable(DisplayId display, std::uint32_t count, const float* red, const float* green,
                                 const float* blue) = 0;
    // After kUnprotected: why, and what to do about it.
    virtual std::string whyUnprotected() const { return {}; }
};

} // namespace brillex
