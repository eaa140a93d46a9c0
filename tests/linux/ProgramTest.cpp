#include <gtest/gtest.h>

// Qt before Xlib, whose macros clash with Qt's names.
#include <QDBusVariant>

#include "support/MockSystemBus.h"

#include <X11/Xlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/Xrandr.h>

#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/x11/CrtcRamp.h"
#include "support/ProgramRun.h"
#include "support/XvfbServer.h"

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test::Scratch;
using test::waitForExit;

pid_t start(const Scratch& scratch, const std::vector<std::string>& arguments,
            const std::map<std::string, std::string>& set, const std::vector<std::string>& launcher = {}) {
    return test::startProgram(scratch, arguments, set, launcher);
}

TEST(ProgramTest, EveryStartWithoutADisplaySaysWhatIsMissingAndEndsWithStatus2) {
    const std::string hint =
        "; without a desktop, run `xvfb-run brillex --simulate` or the terminal demo `brillex-sim --demo`\n";
    struct Case {
        std::vector<std::string> arguments;
        std::string display, qpa, reason;
    };
    // Each platform built says why not, Wayland's first; a display number
    // nothing listens on stands for a desktop that has gone.
    const std::string noWayland = "no Wayland compositor (WAYLAND_DISPLAY is not set); ";
    const Case cases[] = {
        {{}, "", "", noWayland + "no X display (DISPLAY is not set)"},
        {{"--simulate"}, "", "", noWayland + "no X display (DISPLAY is not set)"},
        {{"--simulate", "--no-simulator-window"}, "", "xcb", noWayland + "no X display (DISPLAY is not set)"},
        {{"--simulate"}, ":4093", "", noWayland + "cannot open the X display :4093"},
        {{"--boost-built-in"}, ":4093", "xcb", noWayland + "cannot open the X display :4093"},
    };
    for (const Case& c : cases) {
        Scratch scratch;
        const pid_t pid =
            start(scratch, c.arguments, {{"DISPLAY", c.display}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", c.qpa}});
        const std::string words = c.arguments.empty() ? "(none)" : c.arguments[0];
        EXPECT_EQ(waitForExit(pid), 2) << words << " DISPLAY=" << c.display;
        EXPECT_EQ(scratch.text("out.txt"), "brillex: " + c.reason + hint) << words << " DISPLAY=" << c.display;
    }
}

TEST(ProgramTest, WithoutASessionBusASecondStartEndsOnTheFirstOnesRuntimeLock) {
    Scratch runtime, first, second, third;
    const std::map<std::string, std::string> environment{
        {"QT_QPA_PLATFORM", "offscreen"}, {"XDG_RUNTIME_DIR", runtime.path.string()}};
    // Launched: its displays are enumerated.
    const auto launched = [](const Scratch& scratch) {
        return test::eventually([&] { return scratch.text("out.txt").find("Displays detected") != std::string::npos; });
    };
    const pid_t running = start(first, {"--simulate", "--no-simulator-window"}, environment);
    ASSERT_TRUE(launched(first)) << first.text("out.txt");
    const pid_t again = start(second, {"--simulate", "--no-simulator-window"}, environment);
    EXPECT_EQ(waitForExit(again), 1);
    EXPECT_NE(second.text("out.txt").find(
                  "Brillex is running already; without a session bus its popover cannot be shown from here"),
              std::string::npos)
        << second.text("out.txt");
    // The lock goes with its holder: the next start runs.
    kill(running, SIGTERM);
    EXPECT_EQ(waitForExit(running), 0);
    const pid_t next = start(third, {"--simulate", "--no-simulator-window"}, environment);
    EXPECT_TRUE(launched(third)) << third.text("out.txt");
    kill(next, SIGTERM);
    EXPECT_EQ(waitForExit(next), 0);
}

// The program on its own Xvfb with a calibrated ramp, told to boost the output.
class ProgramOnXvfbTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server.running()) GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_EQ(server.run("xrandr --output " + server.output() + " --gamma 0.9:1.0:1.1"), 0);
        display = XOpenDisplay(server.display().c_str());
        ASSERT_NE(display, nullptr);
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        crtc = resources->crtcs[0];
        XRRFreeScreenResources(resources);
        calibrated = readCrtcRamp(display, crtc);
        ASSERT_TRUE(calibrated.has_value());
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    pid_t startBoosted(const std::map<std::string, std::string>& extra = {}) {
        std::map<std::string, std::string> environment{
            {"DISPLAY", server.display()}, {"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "x11"},
            {"QT_QPA_PLATFORM", "xcb"}};
        for (const auto& [name, value] : extra) environment[name] = value;
        return start(scratch, {"--built-in", server.output(), "--boost-built-in"}, environment);
    }
    bool rampIsCalibrated() { return readCrtcRamp(display, crtc) == calibrated; }

    test::XvfbServer server;
    Scratch scratch;
    Display* display = nullptr;
    CrtcId crtc = 0;
    std::optional<CrtcRamp> calibrated;
};

TEST_F(ProgramOnXvfbTest, TerminationSignalsGiveTheCalibratedRampBack) {
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(strsignal(signal));
        const pid_t pid = startBoosted();
        ASSERT_TRUE(test::eventually([&] { return !rampIsCalibrated(); })) << scratch.text("out.txt");
        kill(pid, signal);
        EXPECT_EQ(waitForExit(pid), 0) << scratch.text("out.txt");
        EXPECT_TRUE(rampIsCalibrated());
        EXPECT_NE(scratch.text("out.txt").find("Gamma restored: display="), std::string::npos);
    }
}

TEST_F(ProgramOnXvfbTest, InAWaylandSessionNoDisplayIsBoosted) {
    const pid_t pid = startBoosted({{"WAYLAND_DISPLAY", "wayland-0"}});
    ASSERT_TRUE(test::eventually([&] { return scratch.text("out.txt").find("Displays detected: 1") != std::string::npos; }))
        << scratch.text("out.txt");
    kill(pid, SIGTERM);
    EXPECT_EQ(waitForExit(pid), 0);
    const std::string out = scratch.text("out.txt");
    EXPECT_NE(out.find("gamma ramps set through XWayland do not reach the screen"), std::string::npos) << out;
    EXPECT_EQ(out.find("XDR Boost Active"), std::string::npos) << out;
    EXPECT_TRUE(rampIsCalibrated());
}

// `brillex ctl WORDS` on a bus that is both the session bus and, with
// UPower mocked on it, the system bus.
std::string ctlStatus(const std::string& bus) { return test::ctl(bus, "status"); }

TEST_F(ProgramOnXvfbTest, CtlStatusShowsUPowersBatteryAndKeyboardAndFollowsAnUnplugWithinOnePoll) {
    test::MockSystemBus bus;
    ASSERT_TRUE(bus.running());
    ASSERT_GT(bus.startTemplate("upower", "org.freedesktop.UPower", R"({"OnBattery": false})"), 0);
    const auto set = [&](const char* path, const char* interface, const char* name, const QVariant& value) {
        bus.call("org.freedesktop.UPower", path, "org.freedesktop.DBus.Properties", "Set",
                 {interface, name, QVariant::fromValue(QDBusVariant(value))});
    };
    constexpr const char* device = "/org/freedesktop/UPower/devices/DisplayDevice";
    set(device, "org.freedesktop.UPower.Device", "IsPresent", true);
    set(device, "org.freedesktop.UPower.Device", "Type", uint(2));
    set(device, "org.freedesktop.UPower.Device", "Percentage", 46.25);
    set(device, "org.freedesktop.UPower.Device", "State", uint(1));
    ASSERT_EQ(bus.addObject("org.freedesktop.UPower", "/org/freedesktop/UPower", "/org/freedesktop/UPower/KbdBacklight",
                            "org.freedesktop.UPower.KbdBacklight",
                            {{"GetMaxBrightness", "", "i", "ret = 4"}, {"GetBrightness", "", "i", "ret = 2"},
                             {"SetBrightness", "i", "", ""}})
                  .type(),
              QDBusMessage::ReplyMessage);

    const pid_t pid = start(scratch, {},
                            {{"DISPLAY", server.display()}, {"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "x11"},
                             {"QT_QPA_PLATFORM", "xcb"}, {"DBUS_SESSION_BUS_ADDRESS", bus.address()},
                             {"DBUS_SYSTEM_BUS_ADDRESS", bus.address()}});
    std::string status;
    ASSERT_TRUE(test::eventually([&] {
        status = ctlStatus(bus.address());
        return status.find("keyboard ") != std::string::npos;
    })) << status << scratch.text("out.txt");
    EXPECT_NE(status.find("\nbattery level=46.25 on-battery=false charging=true\n"), std::string::npos) << status;
    EXPECT_NE(status.find("\nkeyboard available=true level=0.5\n"), std::string::npos) << status;

    set("/org/freedesktop/UPower", "org.freedesktop.UPower", "OnBattery", true);
    set(device, "org.freedesktop.UPower.Device", "State", uint(2));
    const auto unplugged = std::chrono::steady_clock::now();
    EXPECT_TRUE(test::eventually([&] {
        status = ctlStatus(bus.address());
        return status.find("\nbattery level=46.25 on-battery=true charging=false\n") != std::string::npos;
    })) << status;
    // Seen at the first poll after the unplug (every 10 s), not the second.
    EXPECT_LT(std::chrono::steady_clock::now() - unplugged, 20s);
    kill(pid, SIGTERM);
    EXPECT_EQ(waitForExit(pid), 0) << scratch.text("out.txt");
}

bool mountNamespacesAllowed() {
    const pid_t pid = fork();
    if (pid == 0) _exit(unshare(CLONE_NEWNS) == 0 ? 0 : 1);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::vector<unsigned char> edidFile(const std::string& name) {
    std::ifstream in(std::string(BRILLEX_EDID_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two fake monitors on I2C buses 5 and 6 behind the real libddcutil, in a
// mount namespace of the program's own; the dummy X server's outputs carry
// the same EDIDs.
TEST_F(ProgramOnXvfbTest, AMonitorOnDdcFollowsCtlBrightnessAndItsValueShowsInTheStatus) {
    if (getuid() != 0 || !mountNamespacesAllowed())
        GTEST_SKIP() << "needs root and `unshare -m` for a private /sys and /dev; neither is allowed here";
    if (!server.hasSpareOutputs()) GTEST_SKIP() << "needs the dummy X driver for outputs that carry EDIDs";
    const std::vector<std::pair<std::string, std::string>> monitors{{"DP-1", "edid-018.bin"}, {"HDMI-A-1", "edid-000.bin"}};
    std::vector<RROutput> outputs;
    for (int n = 1; n <= 2; ++n) {
        const std::string name = server.addOutput(n, "1024x768");
        ASSERT_FALSE(name.empty());
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        for (int i = 0; i < resources->noutput; ++i) {
            XRROutputInfo* info = XRRGetOutputInfo(display, resources, resources->outputs[i]);
            if (info && name == std::string(info->name, info->nameLen)) outputs.push_back(resources->outputs[i]);
            if (info) XRRFreeOutputInfo(info);
        }
        XRRFreeScreenResources(resources);
        const auto edid = edidFile(monitors[n - 1].second);
        XRRChangeOutputProperty(display, outputs.back(), XInternAtom(display, "EDID", False), XA_INTEGER, 8,
                                PropModeReplace, edid.data(), static_cast<int>(edid.size()));
    }
    XSync(display, False);

    // A full query makes the server probe its outputs, as a desktop's settings panel would.
    ASSERT_EQ(server.run("xrandr >/dev/null"), 0);
    const fs::path namespaceFolder = scratch.path / "namespace";
    fs::create_directories(namespaceFolder);
    std::string spec;
    std::string fakes;
    for (int n = 0; n < 2; ++n) {
        const std::string bus = std::to_string(5 + n);
        const std::string edid = std::string(BRILLEX_EDID_DATA) + "/" + monitors[n].second;
        std::ofstream(scratch.path / ("register-" + bus)) << (n == 0 ? "50 100\n" : "70 100\n");
        spec += (n ? " " : "") + monitors[n].first + ":" + bus + ":" + edid;
        fakes += (n ? "," : "") + bus + "=" + edid + ":" + (scratch.path / ("register-" + bus)).string();
    }
    test::MockSystemBus bus;
    ASSERT_TRUE(bus.running());
    const pid_t pid = start(scratch, {},
                            {{"DISPLAY", server.display()}, {"WAYLAND_DISPLAY", ""}, {"XDG_SESSION_TYPE", "x11"},
                             {"QT_QPA_PLATFORM", "xcb"}, {"DBUS_SESSION_BUS_ADDRESS", bus.address()},
                             {"LD_PRELOAD", BRILLEX_I2C_SHIM}, {"BRILLEX_FAKE_MONITORS", fakes},
                             {"ASAN_OPTIONS", "verify_asan_link_order=0"}},
                            {"/usr/bin/unshare", "-m", "--propagation", "private", "/bin/sh", BRILLEX_IN_NAMESPACE,
                             namespaceFolder.string(), spec});
    const std::string first = "DDC: display " + std::to_string(outputs[0]) + " brightness through /dev/i2c-5";
    const std::string second = "DDC: display " + std::to_string(outputs[1]) + " brightness through /dev/i2c-6";
    ASSERT_TRUE(test::eventually([&] {
        const std::string log = scratch.text("out.txt");
        return log.find(first) != std::string::npos && log.find(second) != std::string::npos;
    })) << scratch.text("out.txt");
    std::string status;
    ASSERT_TRUE(test::eventually([&] {
        status = ctlStatus(bus.address());
        return status.find("nits=500 brightness=0.5\n") != std::string::npos &&
               status.find("nits=500 brightness=0.7\n") != std::string::npos;
    })) << status << scratch.text("out.txt");

    // (libddcutil, loaded by every start, may say on standard error that this machine has no DRM devices.)
    EXPECT_EQ(test::ctl(bus.address(), "brightness " + std::to_string(outputs[0]) + " 0.3").find("brillex:"),
              std::string::npos);
    EXPECT_TRUE(test::eventually([&] { return scratch.text("register-5") == "30 100\n"; })) << scratch.text("register-5");
    EXPECT_EQ(scratch.text("register-6"), "70 100\n");
    EXPECT_NE(ctlStatus(bus.address()).find("nits=500 brightness=0.3\n"), std::string::npos);
    kill(pid, SIGTERM);
    EXPECT_EQ(waitForExit(pid), 0) << scratch.text("out.txt");
}

} // namespace
} // namespace brillex::x11
