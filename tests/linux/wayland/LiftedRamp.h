#pragma once

#include <cstdint>
#include <vector>

#include "boost/GammaTable.h"
#include "platform/linux/ramps/RampResampling.h"
#include "platform/linux/x11/CrtcRamp.h"

namespace brillex::test {

// The three channels one after the other, as the compositors hand them out.
inline std::vector<std::uint16_t> joined(const x11::CrtcRamp& ramp) {
    std::vector<std::uint16_t> all(ramp.red);
    all.insert(all.end(), ramp.green.begin(), ramp.green.end());
    all.insert(all.end(), ramp.blue.begin(), ramp.blue.end());
    return all;
}

// What a CRTC must show once a boost by `factor` has lifted `saved` (a table
// of 256 entries per channel) onto a ramp of `size` entries.
inline std::vector<std::uint16_t> liftedRamp(const GammaTable& saved, float factor, std::size_t size = 256) {
    const GammaTable boosted = *boostedGammaTable(saved.red, saved.green, saved.blue, factor);
    return joined(x11::CrtcRamp{x11::rampFromTable(boosted.red.data(), boosted.red.size(), size),
                                x11::rampFromTable(boosted.green.data(), boosted.green.size(), size),
                                x11::rampFromTable(boosted.blue.data(), boosted.blue.size(), size)});
}

// The table a capture hands out for a native ramp given as three joined channels.
inline GammaTable tableOf(const std::vector<std::uint16_t>& all) {
    const std::size_t size = all.size() / 3;
    auto channel = [&](std::size_t c) {
        return x11::tableFromRamp(std::vector<std::uint16_t>(all.begin() + c * size, all.begin() + (c + 1) * size),
                                  GammaTable::size);
    };
    return GammaTable{channel(0), channel(1), channel(2)};
}

} // namespace brillex::test
