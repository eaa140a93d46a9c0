#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "base/Log.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WlrGammaRamps.h"
#include "linux/wayland/DisplayLayer.h"
#include "linux/wayland/LiftedRamp.h"
#include "support/Patience.h"
#include "support/QtEventLoop.h"
#include "support/WlrTestCompositor.h"

namespace brillex::wayland {
namespace {

using namespace std::chrono_literals;

using test::eventually;

std::unique_ptr<WaylandConnection> connect() {
    auto opened = WaylandConnection::open();
    if (auto* missing = std::get_if<std::string>(&opened)) ADD_FAILURE() << *missing;
    return opened.index() == 0 ? std::move(std::get<0>(opened)) : nullptr;
}

// The program's display layer on the wlroots test compositor: eDP-1 takes
// gamma (size 256), HDMI-A-1 has none.
class WlrootsGammaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(compositor.running()) << "the wlroots test compositor did not start";
        test::qtApplication();
        connection = connect();
        ASSERT_TRUE(connection);
        layer.emplace(*connection);
        for (const Screen& screen : layer->screens.screens()) ids.push_back(*screen.displayId);
        ASSERT_EQ(ids.size(), 2u);
    }

    test::WlrTestCompositor compositor;
    std::unique_ptr<WaylandConnection> connection;
    std::optional<test::DisplayLayer<WaylandScreens, WlrGammaRamps>> layer;
    std::vector<DisplayId> ids;
    LogCapture log;
};

TEST_F(WlrootsGammaTest, OutputsBecomeScreensWithNamesFramesAndTheRampsHeadroom) {
    const std::vector<Screen> listed = layer->screens.screens();
    EXPECT_EQ(listed[0].name, "Built-in Display");  // a product code is no name
    EXPECT_TRUE(layer->screens.isBuiltIn(ids[0]));
    EXPECT_EQ(listed[1].name, "DELL U2720Q");
    EXPECT_FALSE(layer->screens.isBuiltIn(ids[1]));
    EXPECT_EQ(layer->screens.mainDisplay(), ids[0]);
    EXPECT_EQ(listed[0].frame.width, 1920);
    EXPECT_EQ(listed[0].frame.y, 0);
    EXPECT_EQ(listed[1].frame.x, 1920);
    EXPECT_EQ(listed[1].frame.y, 1080 - 1440);  // bottom-left origin on the main screen's bottom edge
    EXPECT_EQ(listed[0].maxPotentialEDR, 2.0);

    WaylandScreens named(*connection, layer->loop, x11::ScreenRules{std::string("HDMI-A-1"), false});
    EXPECT_TRUE(named.isBuiltIn(ids[1]));
}

TEST_F(WlrootsGammaTest, ABoostLiftsTheIdentityRampPerFormulaAndRestoringHandsTheRampBack) {
    const std::optional<GammaTable> saved = layer->capture(ids[0]);
    ASSERT_TRUE(saved);
    EXPECT_FLOAT_EQ(saved->red[0], 0.0f);
    EXPECT_FLOAT_EQ(saved->green[128], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(saved->blue[255], 1.0f);
    EXPECT_TRUE(compositor.ramp("eDP-1").empty()) << "capturing must leave the compositor's ramp alone";

    for (float factor : {2.1f, 1.3f}) {
        layer->boost(ids[0], *saved, factor);
        const auto expected = test::liftedRamp(*saved, factor);
        EXPECT_TRUE(eventually([&] { return compositor.ramp("eDP-1") == expected; })) << factor;
    }
    EXPECT_TRUE(layer->restore(ids[0], *saved));
    EXPECT_TRUE(eventually([&] { return compositor.ramp("eDP-1").empty(); }));
    EXPECT_TRUE(log.contains("Gamma applied: display=" + std::to_string(ids[0]) + ", boost=1.3"));
}

TEST_F(WlrootsGammaTest, AnOutputWithoutGammaFailsTheCaptureWithOneLine) {
    EXPECT_FALSE(layer->capture(ids[1]));
    EXPECT_FALSE(layer->capture(ids[1]));
    EXPECT_TRUE(log.contains("Failed to get gamma table"));
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Wayland: output HDMI-A-1 has no gamma ramp the compositor lets a client set; it is not "
                         "boosted"),
              1);
    EXPECT_FALSE(connection->isBroken());
}

TEST_F(WlrootsGammaTest, WhileAnotherClientHoldsTheOutputTheBoostIsUnavailable) {
    auto other = connect();
    WlrGammaRamps otherRamps(*other);
    x11::CrtcRamp warm = WlrGammaRamps::identity(256);
    for (auto& entry : warm.blue) entry /= 2;
    ASSERT_TRUE(otherRamps.write(ids[0], warm));
    EXPECT_TRUE(eventually([&] { return !compositor.ramp("eDP-1").empty(); }));
    // wlroots 0.15 tells the holder it failed and the newcomer nothing at all.
    EXPECT_FALSE(layer->capture(ids[0]));
    EXPECT_TRUE(log.contains("Wayland: output eDP-1 gave no answer to a gamma control request (another gamma tool "
                             "holds it); it is not boosted"));
    EXPECT_FALSE(connection->isBroken());
}

TEST_F(WlrootsGammaTest, TheCompositorRestoresItsRampWhenABoostingClientIsKilled) {
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        auto own = WaylandConnection::open();
        WlrGammaRamps childRamps(*std::get<0>(own));
        auto lifted = WlrGammaRamps::identity(256);
        for (auto& v : lifted.red) v = static_cast<std::uint16_t>(std::min(65535, v * 2));
        const char ok = childRamps.write(ids[0], lifted) ? 'y' : 'n';
        if (::write(ready[1], &ok, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    EXPECT_EQ(ok, 'y');
    EXPECT_TRUE(eventually([&] { return !compositor.ramp("eDP-1").empty(); }));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(eventually([&] { return compositor.ramp("eDP-1").empty(); }));
}

} // namespace
} // namespace brillex::wayland
