#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "platform/linux/ramps/RampResampling.h"

namespace brillex::x11 {
namespace {

// A calibrated channel: gamma 0.9 over the ramp, as xrandr --gamma makes it.
std::vector<std::uint16_t> calibrated(std::size_t size) {
    std::vector<std::uint16_t> ramp(size);
    for (std::size_t i = 0; i < size; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(size - 1);
        ramp[i] = static_cast<std::uint16_t>(std::lround(std::pow(x, 1.0 / 0.9) * 65535.0));
    }
    return ramp;
}

TEST(RampResamplingTest, LargeRampsBecome256EntriesOnTheSameCurveAndBack) {
    for (std::size_t size : {1024u, 4096u}) {
        SCOPED_TRACE(size);
        const std::vector<std::uint16_t> ramp = calibrated(size);
        const std::vector<float> table = tableFromRamp(ramp, 256);
        ASSERT_EQ(table.size(), 256u);
        EXPECT_EQ(table.front(), 0.0f);
        EXPECT_EQ(table.back(), 1.0f);
        for (std::size_t i = 0; i < 256; ++i) {
            EXPECT_NEAR(table[i], std::pow(i / 255.0, 1.0 / 0.9), 2e-5) << i;
        }
        // Back at full size the curve is kept to within the interpolation of
        // a smooth curve between 256 points.
        const std::vector<std::uint16_t> back = rampFromTable(table.data(), table.size(), size);
        ASSERT_EQ(back.size(), size);
        EXPECT_EQ(back.front(), ramp.front());
        EXPECT_EQ(back.back(), ramp.back());
        for (std::size_t j = 0; j < size; ++j) EXPECT_NEAR(back[j], ramp[j], 8) << j;
    }
}

TEST(RampResamplingTest, At256EveryValueRoundTripsExactly) {
    std::mt19937 random(7);
    std::vector<std::uint16_t> ramp(256);
    for (auto& v : ramp) v = static_cast<std::uint16_t>(random());
    ramp[0] = 65535;
    ramp[1] = 0;
    const std::vector<float> table = tableFromRamp(ramp, 256);
    EXPECT_EQ(rampFromTable(table.data(), 256, 256), ramp);
}

TEST(RampResamplingTest, ValuesOutsideTheRangeClipAndBadOnesGoDark) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    const float table[] = {-0.5f, nan, 0.5f, 1.0f, 1.6579f, inf};
    EXPECT_EQ(rampFromTable(table, 6, 6), (std::vector<std::uint16_t>{0, 0, 32768, 65535, 65535, 65535}));

    // Between entries above 1.0 the ramp stays clipped, not wrapped.
    const float boosted[] = {0.0f, 1.2f, 1.6f};
    const std::vector<std::uint16_t> ramp = rampFromTable(boosted, 3, 1024);
    EXPECT_EQ(ramp.front(), 0);
    for (std::size_t j = 512; j < 1024; ++j) EXPECT_EQ(ramp[j], 65535) << j;
    EXPECT_NEAR(ramp[255], 255.0 / 511.5 * 1.2 * 65535.0, 1.0);
}

} // namespace
} // namespace brillex::x11
