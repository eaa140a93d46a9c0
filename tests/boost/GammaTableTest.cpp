#include "boost/GammaTable.h"

#include <gtest/gtest.h>

#include "base/Log.h"
#include "platform/sim/SimGamma.h"
#include "BoostTestSupport.h"

namespace brillex {
namespace {

class GammaTableTest : public ::testing::Test {
protected:
    GammaTableTest() { sim.screens.add(test::screenOf(1, "Built-in", 16.0), true); }

    sim::SimComputer sim;
    LogCapture log;
};

TEST(GammaScaling, WorkedValuesToFourPlaces) {
    struct Case {
        float saved, factor, expected;
    };
    for (const auto& c : {Case{0.0f, 3.2f, 0.0f}, Case{0.02f, 2.0f, 0.04f}, Case{0.5f, 1.0f, 0.5f},
                          Case{0.5f, 2.0f, 0.6858f}, Case{1.0f, 1.0f, 1.0f}, Case{1.0f, 1.6f, 1.2282f},
                          Case{1.0f, 3.2f, 1.6579f}}) {
        EXPECT_NEAR(boostedGammaValue(c.saved, c.factor), c.expected, 0.00005f) << c.saved << " x " << c.factor;
    }
}

TEST(GammaScaling, ZeroAndNegativeEntriesStayZeroAtEveryFactor) {
    for (const float factor : {1.0f, 1.3f, 2.1f, 3.2f}) {
        EXPECT_EQ(boostedGammaValue(0.0f, factor), 0.0f);
        EXPECT_EQ(boostedGammaValue(-0.25f, factor), 0.0f);
    }
}

TEST(GammaScaling, FactorOneReproducesTheTable) {
    const auto identity = sim::SimGamma::identity();
    const auto out = boostedGammaTable(identity.red, identity.green, identity.blue, 1.0f);
    ASSERT_TRUE(out.has_value());
    for (std::size_t i = 0; i < GammaTable::size; ++i) {
        EXPECT_NEAR(out->red[i], identity.red[i], 1e-6f) << i;
        EXPECT_NEAR(out->blue[i], identity.blue[i], 1e-6f) << i;
    }
}

TEST(GammaScaling, ChannelsAreScaledIndependentlyAndUnclamped) {
    std::vector<float> red(256, 1.0f), green(256, 0.5f), blue(256, 0.0f);
    const auto out = boostedGammaTable(red, green, blue, 3.2f);
    ASSERT_TRUE(out.has_value());
    EXPECT_NEAR(out->red[7], 1.6579f, 0.00005f);
    EXPECT_NEAR(out->green[7], boostedGammaValue(0.5f, 3.2f), 0.0f);
    EXPECT_EQ(out->blue[7], 0.0f);
}

TEST_F(GammaTableTest, CaptureReturnsTheInstalledTable) {
    sim.gamma.table(1).red[10] = 0.25f;
    const auto table = captureGammaTable(1, sim.gamma);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->red.size(), 256u);
    EXPECT_EQ(table->green.size(), 256u);
    EXPECT_EQ(table->red[10], 0.25f);
    EXPECT_EQ(table->green[255], 1.0f);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(GammaTableTest, CaptureFailureLogsAndReturnsNone) {
    sim.gamma.setReadFails(1, true);
    EXPECT_FALSE(captureGammaTable(1, sim.gamma).has_value());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Failed to get gamma table"});
}

TEST_F(GammaTableTest, CaptureOfADisplayWithoutScreenFails) {
    EXPECT_FALSE(captureGammaTable(7, sim.gamma).has_value());
    EXPECT_TRUE(log.contains("Failed to get gamma table"));
}

TEST_F(GammaTableTest, ApplyWritesTheScaledTableAndLogsTheFloatFactor) {
    const auto saved = sim::SimGamma::identity();
    applyGammaBoost(1, saved.red, saved.green, saved.blue, 2.1f, sim.gamma);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Gamma applied: display=1, boost=2.1"});
    EXPECT_EQ(sim.gamma.table(1).green[255], boostedGammaValue(1.0f, 2.1f));
    EXPECT_GT(sim.gamma.table(1).green[255], 1.0f);
}

TEST_F(GammaTableTest, RepeatedBoostsStartFromTheSavedTable) {
    const auto saved = sim::SimGamma::identity();
    applyGammaBoost(1, saved.red, saved.green, saved.blue, 3.2f, sim.gamma);
    applyGammaBoost(1, saved.red, saved.green, saved.blue, 2.0f, sim.gamma);
    EXPECT_EQ(sim.gamma.table(1).red[128], boostedGammaValue(saved.red[128], 2.0f));
}

TEST_F(GammaTableTest, FailedWriteIsSilentAndLeavesTheTable) {
    sim.gamma.setWriteFails(1, true);
    const auto saved = sim::SimGamma::identity();
    applyGammaBoost(1, saved.red, saved.green, saved.blue, 3.2f, sim.gamma);
    EXPECT_TRUE(log.lines().empty());
    EXPECT_EQ(sim.gamma.table(1).red[255], 1.0f);
}

TEST_F(GammaTableTest, ShortTableIsRejectedWithoutWriting) {
    std::vector<float> full(256, 0.5f), shorter(255, 0.5f);
    applyGammaBoost(1, full, shorter, full, 2.0f, sim.gamma);
    restoreGammaTable(1, full, full, shorter, sim.gamma);
    EXPECT_EQ(sim.gamma.writes(1), 0);
    EXPECT_FALSE(log.contains("Gamma applied: display=1, boost=2.0"));
    EXPECT_FALSE(log.contains("Gamma restored: display=1"));
    EXPECT_EQ(log.lines().size(), 2u); // one rejection line each
}

TEST_F(GammaTableTest, RestoreWritesTheSavedTableBack) {
    std::vector<float> saved(256, 0.75f);
    restoreGammaTable(1, saved, saved, saved, sim.gamma);
    EXPECT_EQ(sim.gamma.table(1).blue[3], 0.75f);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Gamma restored: display=1"});
}

TEST_F(GammaTableTest, RestoreLogsEvenWhenTheWriteIsRejected) {
    sim.gamma.setWriteFails(1, true);
    std::vector<float> saved(256, 0.75f);
    restoreGammaTable(1, saved, saved, saved, sim.gamma);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Gamma restored: display=1"});
    EXPECT_EQ(sim.gamma.table(1).blue[3], 3.0f / 255.0f);
}

} // namespace
} // namespace brillex
