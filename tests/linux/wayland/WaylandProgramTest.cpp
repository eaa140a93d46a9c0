#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "linux/wayland/LiftedRamp.h"
#include "platform/linux/wayland/MutterCrtcRamps.h"
#include "platform/linux/wayland/WlrGammaRamps.h"
#include "support/MutterTestCompositor.h"
#include "support/PrivateBus.h"
#include "support/ProgramRun.h"
#include "support/WlrTestCompositor.h"

namespace brillex::wayland {
namespace {

using namespace std::chrono_literals;

// The whole program on one test compositor, driven by `brillex ctl`: what it
// needs to know of that compositor.
struct Desktop {
    std::string busAddress;
    std::map<std::string, std::string> environment;
    std::string builtIn;                                // the output to take as built-in
    DisplayId id = 0;
    std::function<std::vector<std::uint16_t>()> ramp;  // what the output shows
};

// The program's environment on a compositor: no X display, the toolkit
// drawing offscreen, the session bus `bus`.
std::map<std::string, std::string> onCompositor(const std::string& waylandDisplay, const std::string& runtimeFolder,
                                                const std::string& bus) {
    return {{"WAYLAND_DISPLAY", waylandDisplay}, {"XDG_RUNTIME_DIR", runtimeFolder}, {"DISPLAY", ""},
            {"QT_QPA_PLATFORM", "offscreen"}, {"DBUS_SESSION_BUS_ADDRESS", bus}};
}

void boostWithCtl(const Desktop& desktop, test::Scratch& scratch) {
    const std::vector<std::uint16_t> native = desktop.ramp();
    const pid_t pid = test::startProgram(scratch, {"--built-in", desktop.builtIn}, desktop.environment);
    const std::string id = std::to_string(desktop.id);
    std::string status;
    ASSERT_TRUE(test::eventually([&] {
        status = test::ctl(desktop.busAddress, "status");
        return status.find("display " + id) != std::string::npos;
    }, 30s)) << status << scratch.text("out.txt");

    EXPECT_EQ(test::ctl(desktop.busAddress, "boost all on"), "");
    EXPECT_EQ(test::ctl(desktop.busAddress, "level " + id + " 0.5"), "");
    // Built in: a multiplier of 3.2, so edr 2.1 half-way.
    const auto lifted = test::liftedRamp(test::tableOf(native), 2.1f, native.size() / 3);
    EXPECT_TRUE(test::eventually([&] { return desktop.ramp() == lifted; })) << scratch.text("out.txt");
    EXPECT_EQ(test::ctl(desktop.busAddress, "boost all off"), "");
    EXPECT_TRUE(test::eventually([&] { return desktop.ramp() == native; })) << scratch.text("out.txt");

    kill(pid, SIGTERM);
    EXPECT_EQ(test::waitForExit(pid, 20s), 0) << scratch.text("out.txt");
    const std::string out = scratch.text("out.txt");
    EXPECT_NE(out.find("XDR Boost Active for display: " + id), std::string::npos) << out;
    EXPECT_NE(out.find("Gamma restored: display=" + id), std::string::npos) << out;
}

TEST(WaylandProgramTest, OnWlrootsCtlBoostsAndRestoresAndTheCompositorRestoresAfterSigkill) {
    test::WlrTestCompositor compositor;
    test::PrivateBus bus;
    ASSERT_TRUE(compositor.running());
    ASSERT_TRUE(bus.running());
    test::Scratch scratch;
    std::unique_ptr<WaylandConnection> probe = std::get<0>(WaylandConnection::open());
    Desktop desktop{bus.address(), onCompositor(compositor.socket(), compositor.runtimeFolder(), bus.address()),
                    "eDP-1", probe->outputs().front()->id,
                    [&] {
                        // The compositor's own ramp is the identity.
                        auto shown = compositor.ramp("eDP-1");
                        return shown.empty() ? test::joined(WlrGammaRamps::identity(256)) : shown;
                    }};
    boostWithCtl(desktop, scratch);

    // Killed with a boost on, the program leaves nothing behind.
    test::Scratch killed;
    const pid_t pid = test::startProgram(killed, {"--built-in", "eDP-1", "--boost-built-in"}, desktop.environment);
    EXPECT_TRUE(test::eventually([&] { return !compositor.ramp("eDP-1").empty(); }, 30s)) << killed.text("out.txt");
    kill(pid, SIGKILL);
    test::waitForExit(pid, 10s);
    EXPECT_TRUE(test::eventually([&] { return compositor.ramp("eDP-1").empty(); }));
}

TEST(WaylandProgramTest, OnMutterCtlBoostsAndRestoresBitExactlyAndTheGuardianRestoresAfterSigkill) {
    test::MutterTestCompositor compositor;
    if (!compositor.possible()) GTEST_SKIP() << compositor.why();
    ASSERT_TRUE(compositor.running()) << compositor.why();
    test::Scratch scratch;
    Desktop desktop{compositor.busAddress(),
                    onCompositor("mutter-test-display", compositor.runtimeFolder(), compositor.busAddress()), "DP-1", MutterCrtcRamps::displayIdOf("DP-1"), [&] { return compositor.ramp(); }};
    boostWithCtl(desktop, scratch);
    EXPECT_NE(scratch.text("out.txt").find("Wayland: displays are boosted through GNOME's display configuration"),
              std::string::npos);

    // Mutter keeps a dead client's ramp: the guardian writes the native one back.
    const std::vector<std::uint16_t> native = compositor.ramp();
    test::Scratch killed;
    const pid_t pid = test::startProgram(killed, {"--built-in", "DP-1", "--boost-built-in"}, desktop.environment);
    ASSERT_TRUE(test::eventually([&] { return compositor.ramp() != native; })) << killed.text("out.txt");
    kill(pid, SIGKILL);
    test::waitForExit(pid);
    EXPECT_TRUE(test::eventually([&] { return compositor.ramp() == native; })) << killed.text("out.txt");
}

TEST(WaylandProgramTest, OnHeadlessMutterNoDisplayIsOfferedTheBoostAndTheLogSaysWhy) {
    test::MutterTestCompositor compositor(true);
    if (!compositor.possible()) GTEST_SKIP() << compositor.why();
    ASSERT_TRUE(compositor.running()) << compositor.why();
    test::Scratch scratch;
    const pid_t pid = test::startProgram(
        scratch, {"--boost-built-in"},
        onCompositor("mutter-test-display", compositor.runtimeFolder(), compositor.busAddress()));
    EXPECT_TRUE(test::eventually([&] { return scratch.text("out.txt").find("Displays detected: 0") != std::string::npos; }))
        << scratch.text("out.txt");
    kill(pid, SIGTERM);
    EXPECT_EQ(test::waitForExit(pid), 0);
    const std::string out = scratch.text("out.txt");
    const std::string why = "Mutter: no monitor is driven by a CRTC with a gamma ramp";
    EXPECT_NE(out.find(why), std::string::npos) << out;
    EXPECT_EQ(out.find(why, out.find(why) + 1), std::string::npos) << "said once: " << out;
    EXPECT_EQ(out.find("XDR Boost Active"), std::string::npos) << out;
}

} // namespace
} // namespace brillex::wayland
