#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>
#include <variant>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "boost/GammaTable.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/x11/X11Screens.h"
#include "platform/linux/x11/X11TransferTables.h"
#include "platform/linux/x11/XCrtcRamps.h"
#include "support/QtEventLoop.h"
#include "support/XvfbServer.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace brillex::x11 {
namespace {

// One Xvfb for the suite; each test starts from the output on and calibrated.
class X11ScreensTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server().running()) GTEST_SKIP() << "Xvfb is not installed";
        test::qtApplication();
        ASSERT_EQ(server().run("xrandr --output " + server().output() + " --auto --gamma 0.9:1.0:1.1 2>/dev/null"), 0);
        auto opened = X11Connection::open(server().display());
        ASSERT_TRUE(std::holds_alternative<std::unique_ptr<X11Connection>>(opened));
        connection = std::move(std::get<0>(opened));
        display = connection->display();
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, connection->rootWindow());
        output = static_cast<DisplayId>(resources->outputs[0]);
        XRRFreeScreenResources(resources);
    }
    void TearDown() override {
        if (!display) return;
        XDeleteProperty(display, connection->rootWindow(), XInternAtom(display, "_NET_WORKAREA", False));
        XSync(display, False);
    }

    static test::XvfbServer& server() {
        static test::XvfbServer instance("1280x800x24");
        return instance;
    }

    // Lets the events of the xrandr run before reach the screens, then the
    // settle time pass. The server sent them before it answered xrandr, so a
    // round trip on the screens' connection brings all of them into its
    // queue, which the screens empty before the event loop sleeps.
    void settle() {
        XSync(display, False);
        EXPECT_TRUE(test::processEventsUntil([this] { return XEventsQueued(display, QueuedAlready) == 0; }));
        loop.advance(X11Screens::kQuietSeconds);
    }

    std::unique_ptr<X11Connection> connection;
    Display* display = nullptr;
    DisplayId output = 0;
    ManualLoop loop;
};

TEST_F(X11ScreensTest, TheOutputIsAScreenKnownByItsXidWithItsFrameAndRampHeadroom) {
    X11Screens screens(*connection, loop, {});
    const std::vector<Screen> list = screens.screens();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].displayId, output);
    EXPECT_EQ(list[0].name, server().output());
    EXPECT_EQ(list[0].maxPotentialEDR, 2.0);
    EXPECT_EQ(list[0].maxReferenceEDR, 2.0);
    EXPECT_EQ(list[0].frame.y, 0.0);
    EXPECT_EQ(list[0].frame.width, 1280.0);
    EXPECT_EQ(list[0].frame.height, 800.0);
    EXPECT_EQ(screens.mainDisplay(), output);  // no primary set: the first screen
    EXPECT_FALSE(screens.isBuiltIn(output));
    ASSERT_TRUE(screens.mainScreen().has_value());

    // A panel bar of 24 pixels at the top: the usable area ends below it.
    const long area[] = {0, 24, 1280, 776};
    XChangeProperty(display, connection->rootWindow(), XInternAtom(display, "_NET_WORKAREA", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(area), 4);
    XSync(display, False);
    const Rect visible = screens.screens()[0].visibleFrame;
    EXPECT_EQ(visible.y, 0.0);
    EXPECT_EQ(visible.height, 776.0);
}

TEST_F(X11ScreensTest, ThePanelIsBuiltInByConnectorTypeOrByName) {
    EXPECT_TRUE(X11Screens(*connection, loop, ScreenRules{server().output(), false}).isBuiltIn(output));
    EXPECT_EQ(X11Screens(*connection, loop, ScreenRules{server().output(), false}).screens()[0].name, "Built-in Display");

    const long panel = static_cast<long>(XInternAtom(display, "Panel", False));
    XRRChangeOutputProperty(display, output, XInternAtom(display, "ConnectorType", False), XA_ATOM, 32,
                            PropModeReplace, reinterpret_cast<const unsigned char*>(&panel), 1);
    XSync(display, False);
    EXPECT_TRUE(X11Screens(*connection, loop, {}).isBuiltIn(output));
    XRRDeleteOutputProperty(display, output, XInternAtom(display, "ConnectorType", False));
}

TEST_F(X11ScreensTest, TheEdidPropertyNamesTheScreenAndABadOneIsLoggedOnce) {
    std::ifstream in(std::string(BRILLEX_EDID_DATA) + "/edid-018.bin", std::ios::binary);
    const std::vector<unsigned char> edid{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_EQ(edid.size() % 128, 0u);
    const Atom property = XInternAtom(display, "EDID", False);
    XRRChangeOutputProperty(display, output, property, XA_INTEGER, 8, PropModeReplace, edid.data(),
                            static_cast<int>(edid.size()));
    XSync(display, False);
    X11Screens screens(*connection, loop, {});
    EXPECT_EQ(screens.screens()[0].name, "Dell AW3423DW");
    EXPECT_GT(screens.screens()[0].maxPotentialEDR, 5.0);

    const unsigned char garbage[] = {1, 2, 3};
    XRRChangeOutputProperty(display, output, property, XA_INTEGER, 8, PropModeReplace, garbage, 3);
    XSync(display, False);
    LogCapture log;
    EXPECT_EQ(screens.screens()[0].name, server().output());
    EXPECT_EQ(screens.screens()[0].maxPotentialEDR, 2.0);
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0].rfind("Screens: the EDID of display " + std::to_string(output) + " cannot be read (", 0),
              0u);
    XRRDeleteOutputProperty(display, output, property);
}

TEST_F(X11ScreensTest, AnUnplugAndAReplugPostOneChangeEach) {
    X11Screens screens(*connection, loop, {});
    int changes = 0;
    Subscription subscription = screens.observeScreenChanges([&] { ++changes; });

    // Xvfb refuses the smaller root window xrandr then asks for; the output goes off all the same.
    server().run("xrandr --output " + server().output() + " --off 2>/dev/null");
    settle();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(screens.screens().empty());

    ASSERT_EQ(server().run("xrandr --output " + server().output() + " --auto"), 0);
    settle();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(screens.screens().size(), 1u);
}

TEST_F(X11ScreensTest, ABoostOnTheServerIsUndoneToTheCalibratedRampExactly) {
    XCrtcRamps ramps(*connection);
    const std::optional<CrtcId> crtc = ramps.crtcOf(output);
    ASSERT_TRUE(crtc.has_value());
    const std::optional<CrtcRamp> calibrated = ramps.read(*crtc);
    ASSERT_TRUE(calibrated.has_value());
    ASSERT_NE(calibrated->red, calibrated->blue);

    X11TransferTables tables(ramps, nullptr);
    std::optional<GammaTable> saved = captureGammaTable(output, tables);
    ASSERT_TRUE(saved.has_value());
    applyGammaBoost(output, saved->red, saved->green, saved->blue, 2.1f, tables);
    const std::optional<CrtcRamp> boosted = ramps.read(*crtc);
    ASSERT_TRUE(boosted.has_value());
    EXPECT_GT(boosted->green[64], calibrated->green[64]);
    EXPECT_EQ(boosted->green.back(), 65535);

    restoreGammaTable(output, saved->red, saved->green, saved->blue, tables);
    EXPECT_EQ(ramps.read(*crtc), calibrated);
}

TEST_F(X11ScreensTest, AnOutputSwitchedOffTakesNoRampUntilItIsBack) {
    LinuxPlatform platform(std::move(connection), loop, {});
    float table[256];
    std::uint32_t count = 0;
    ASSERT_EQ(platform.transferTables.getTransferTable(output, 256, table, table, table, count), 0);

    server().run("xrandr --output " + server().output() + " --off 2>/dev/null");
    settle();
    EXPECT_EQ(platform.transferTables.getTransferTable(output, 256, table, table, table, count),
              X11TransferTables::kFailure);
    EXPECT_EQ(platform.transferTables.setTransferTable(output, 256, table, table, table), X11TransferTables::kFailure);

    ASSERT_EQ(server().run("xrandr --output " + server().output() + " --auto"), 0);
    settle();
    EXPECT_EQ(platform.transferTables.getTransferTable(output, 256, table, table, table, count), 0);
    display = nullptr;  // closed with the platform
}

TEST_F(X11ScreensTest, APluggedMonitorIsASecondScreenToTheRightAndGoesWithItsPlug) {
    if (!server().hasSpareOutputs()) GTEST_SKIP() << "this X server has no outputs to plug";
    X11Screens screens(*connection, loop, {});
    int changes = 0;
    Subscription subscription = screens.observeScreenChanges([&] { ++changes; });
    const std::string plugged = server().addOutput(1, "1024x768");
    ASSERT_FALSE(plugged.empty());
    // The dummy driver tells of the new connection at the next probe, as a
    // desktop's display settings make one.
    server().run("xrandr >/dev/null");
    settle();
    EXPECT_EQ(changes, 1);

    const std::vector<Screen> list = screens.screens();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].displayId, output);
    EXPECT_EQ(list[1].name, plugged);
    EXPECT_NE(list[1].displayId, output);
    EXPECT_EQ(screens.mainDisplay(), output);
    // Right of the 1280 x 800 main screen, top edges aligned in X: the core
    // has its bottom 32 above the main screen's.
    EXPECT_EQ(list[1].frame.x, 1280.0);
    EXPECT_EQ(list[1].frame.y, 800.0 - 768.0);
    EXPECT_EQ(list[1].maxPotentialEDR, 2.0);

    ASSERT_TRUE(server().removeOutput(plugged));
    settle();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(screens.screens().size(), 1u);
}

} // namespace
} // namespace brillex::x11
