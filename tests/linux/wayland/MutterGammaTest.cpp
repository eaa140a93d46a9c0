#include <gtest/gtest.h>

#include <glib.h>

#include <chrono>

#include "base/Log.h"
#include "platform/linux/wayland/MutterCrtcRamps.h"
#include "platform/linux/wayland/MutterScreens.h"
#include "linux/wayland/DisplayLayer.h"
#include "linux/wayland/LiftedRamp.h"
#include "support/MutterTestCompositor.h"
#include "support/Patience.h"

namespace brillex::wayland {
namespace {

using namespace std::chrono_literals;

// Runs GLib's main context, where Mutter's signals arrive, until `done`.
template <class Condition> bool eventually(Condition done) {
    return test::eventually([&] {
        g_main_context_iteration(nullptr, FALSE);
        return done();
    });
}

// The program's display layer on Mutter's own test compositor: one monitor,
// DP-1 800x600, on one CRTC with a linear ramp of 256 entries.
class MutterGammaTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!compositor.possible()) GTEST_SKIP() << compositor.why();
        ASSERT_TRUE(compositor.running()) << compositor.why();
        auto opened = MutterDisplayConfig::open();
        ASSERT_EQ(opened.index(), 0u) << std::get<std::string>(opened);
        config = std::move(std::get<0>(opened));
        layer.emplace(*config);
        linear = compositor.ramp();
        ASSERT_EQ(linear.size(), 3u * 256);
    }

    test::MutterTestCompositor compositor;
    std::unique_ptr<MutterDisplayConfig> config;
    std::optional<test::DisplayLayer<MutterScreens, MutterCrtcRamps>> layer;
    std::vector<std::uint16_t> linear;
    const DisplayId id = MutterCrtcRamps::displayIdOf("DP-1");
    LogCapture log;
};

TEST_F(MutterGammaTest, TheMonitorIsAScreenWithTheRampsHeadroom) {
    const std::vector<Screen> listed = layer->screens.screens();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].displayId, id);
    EXPECT_EQ(listed[0].name, "DP-1");
    EXPECT_EQ(listed[0].frame.width, 800);
    EXPECT_EQ(listed[0].frame.height, 600);
    EXPECT_EQ(listed[0].maxPotentialEDR, 2.0);
    EXPECT_EQ(layer->screens.mainDisplay(), id);
    EXPECT_FALSE(layer->screens.isBuiltIn(id));
    EXPECT_TRUE(MutterScreens(*config, layer->loop, x11::ScreenRules{std::string("DP-1"), false}).isBuiltIn(id));
}

TEST_F(MutterGammaTest, ABoostLiftsTheRampPerFormulaAndSwitchingOffRestoresItBitExactly) {
    // A calibration no resampling reproduces by chance.
    std::vector<std::uint16_t> calibrated = linear;
    for (std::size_t i = 0; i < calibrated.size(); i += 3) calibrated[i] ^= 1;
    ASSERT_TRUE(compositor.setRamp(calibrated));

    const std::optional<GammaTable> saved = layer->capture(id);
    ASSERT_TRUE(saved);
    for (float factor : {2.1f, 1.3f}) {
        layer->boost(id, *saved, factor);
        EXPECT_EQ(compositor.ramp(), test::liftedRamp(*saved, factor)) << factor;
    }
    EXPECT_TRUE(layer->restore(id, *saved));
    EXPECT_EQ(compositor.ramp(), calibrated);
}

TEST_F(MutterGammaTest, AStaleSerialIsSurvivedByReadingTheConfigurationAgain) {
    const std::optional<GammaTable> saved = layer->capture(id);
    ASSERT_TRUE(saved);
    ASSERT_TRUE(compositor.hotplug());
    // MonitorsChanged is not dispatched yet: the serial held is stale.
    layer->boost(id, *saved, 2.1f);
    EXPECT_EQ(compositor.ramp(), test::liftedRamp(*saved, 2.1f));
    EXPECT_TRUE(log.contains("Gamma applied: display=" + std::to_string(id) + ", boost=2.1"));
    EXPECT_TRUE(layer->restore(id, *saved));
    EXPECT_EQ(compositor.ramp(), linear);
}

TEST_F(MutterGammaTest, ARampMutterRewritesOnAMonitorChangeGetsTheBoostBack) {
    int changes = 0;
    config->setMonitorsChanged([&] {
        layer->ramps.reapply();
        ++changes;
    });
    const std::optional<GammaTable> saved = layer->capture(id);
    ASSERT_TRUE(saved);
    layer->boost(id, *saved, 1.6f);
    const auto boosted = test::liftedRamp(*saved, 1.6f);
    ASSERT_EQ(compositor.ramp(), boosted);

    // As Mutter 47 does on every monitor change.
    ASSERT_TRUE(compositor.setRamp(linear));
    ASSERT_TRUE(compositor.hotplug());
    EXPECT_TRUE(eventually([&] { return changes > 0 && compositor.ramp() == boosted; }));
    EXPECT_TRUE(layer->restore(id, *saved));
    EXPECT_EQ(compositor.ramp(), linear);
}

} // namespace
} // namespace brillex::wayland
