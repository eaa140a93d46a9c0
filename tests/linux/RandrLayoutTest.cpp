#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/linux/x11/RandrLayout.h"

namespace brillex::x11 {
namespace {

RandrOutput output(std::uint32_t xid, std::string name, XRect frame, int gammaSize = 1024) {
    RandrOutput o;
    o.xid = xid;
    o.name = std::move(name);
    o.connected = true;
    o.hasCrtc = true;
    o.crtcFrame = frame;
    o.gammaSize = gammaSize;
    return o;
}

std::vector<std::uint8_t> edidFile(const std::string& name) {
    std::ifstream in(std::string(BRILLEX_EDID_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectRect(const Rect& r, double x, double y, double width, double height) {
    EXPECT_EQ(r.x, x);
    EXPECT_EQ(r.y, y);
    EXPECT_EQ(r.width, width);
    EXPECT_EQ(r.height, height);
}

// A laptop panel on the right as primary, a monitor to its left reaching
// higher, one above, a disconnected port and a connected but switched-off one.
RandrLayout desk() {
    RandrLayout layout;
    layout.outputs.push_back(output(0x41, "HDMI-1", {0, 0, 1920, 1200}));
    RandrOutput unplugged = output(0x42, "DP-2", {0, 0, 0, 0});
    unplugged.connected = false;
    unplugged.hasCrtc = false;
    layout.outputs.push_back(unplugged);
    layout.outputs.push_back(output(0x43, "eDP-1", {1920, 280, 1440, 800}));
    RandrOutput off = output(0x44, "DP-3", {0, 0, 0, 0});
    off.hasCrtc = false;
    layout.outputs.push_back(off);
    layout.outputs.push_back(output(0x45, "DP-4", {1920, -1200, 1920, 1200}, 0));
    layout.primary = 0x43;
    return layout;
}

TEST(RandrLayoutTest, ShownOutputsBecomeScreensInRandrOrderWithFramesFlippedAboutTheMainScreen) {
    const ScreenLayout layout = ScreenLayout::of(desk(), {});
    ASSERT_EQ(layout.screens.size(), 3u);
    EXPECT_EQ(layout.screens[0].displayId, 0x41u);
    EXPECT_EQ(layout.screens[1].displayId, 0x43u);
    EXPECT_EQ(layout.screens[2].displayId, 0x45u);
    EXPECT_EQ(layout.mainDisplay, 0x43u);

    // The main screen's bottom edge (X y 1080) is the core's y 0.
    expectRect(layout.screens[1].frame, 1920, 0, 1440, 800);
    expectRect(layout.screens[0].frame, 0, -120, 1920, 1200);
    expectRect(layout.screens[2].frame, 1920, 1080, 1920, 1200);
    // Without a work area the whole frame is usable.
    expectRect(layout.screens[2].visibleFrame, 1920, 1080, 1920, 1200);
}

TEST(RandrLayoutTest, MainIsTheFirstScreenWhenThePrimaryIsMissingOrNotShown) {
    RandrLayout layout = desk();
    layout.primary = 0;
    EXPECT_EQ(ScreenLayout::of(layout, {}).mainDisplay, 0x41u);
    layout.primary = 0x44;  // switched off
    const ScreenLayout shown = ScreenLayout::of(layout, {});
    EXPECT_EQ(shown.mainDisplay, 0x41u);
    // The flip line follows the main screen chosen.
    expectRect(shown.screens[1].frame, 1920, 120, 1440, 800);

    EXPECT_EQ(ScreenLayout::of(RandrLayout{}, {}).mainDisplay, 0u);
    EXPECT_TRUE(ScreenLayout::of(RandrLayout{}, {}).screens.empty());
}

TEST(RandrLayoutTest, PanelsAreKnownByNameConnectorOrCommandLineAndNamedAsBuiltIn) {
    RandrLayout layout;
    layout.outputs.push_back(output(1, "eDP-1", {0, 0, 10, 10}));
    layout.outputs.push_back(output(2, "LVDS1", {10, 0, 10, 10}));
    layout.outputs.push_back(output(3, "DSI-1", {20, 0, 10, 10}));
    RandrOutput panel = output(4, "DP-1", {30, 0, 10, 10});
    panel.panelConnector = true;
    layout.outputs.push_back(panel);
    layout.outputs.push_back(output(5, "DP-5", {40, 0, 10, 10}));
    layout.outputs.push_back(output(6, "HDMI-eDP", {50, 0, 10, 10}));

    const ScreenLayout plain = ScreenLayout::of(layout, {});
    EXPECT_EQ(plain.builtIn, (std::set<DisplayId>{1, 2, 3, 4}));
    EXPECT_EQ(plain.screens[0].name, "Built-in Display");
    EXPECT_EQ(plain.screens[3].name, "Built-in Display");
    EXPECT_EQ(plain.screens[4].name, "DP-5");
    EXPECT_EQ(plain.screens[5].name, "HDMI-eDP");

    const ScreenLayout named = ScreenLayout::of(layout, ScreenRules{"DP-5", false});
    EXPECT_EQ(named.builtIn.count(5), 1u);
    EXPECT_EQ(named.screens[4].name, "Built-in Display");
    EXPECT_FALSE(named.namedPanelMissing);
    const ScreenLayout mistyped = ScreenLayout::of(layout, ScreenRules{"DP", false});
    EXPECT_EQ(mistyped.builtIn.count(5), 0u);
    EXPECT_TRUE(mistyped.namedPanelMissing);
    EXPECT_FALSE(plain.namedPanelMissing);
}

TEST(RandrLayoutTest, VisibleFrameIsTheFramePartInsideTheWorkArea) {
    RandrLayout layout = desk();
    // A panel bar of 32 pixels along the top of the whole root window, and a
    // work area that ends left of the monitor above.
    layout.workArea = XRect{0, -1168, 3360, 2528};
    const ScreenLayout shown = ScreenLayout::of(layout, {});
    expectRect(shown.screens[0].visibleFrame, 0, -120, 1920, 1200);
    expectRect(shown.screens[2].visibleFrame, 1920, 1080, 1440, 1168);

    layout.workArea = XRect{5000, 5000, 100, 100};  // misses every screen
    expectRect(ScreenLayout::of(layout, {}).screens[1].visibleFrame, 1920, 0, 1440, 800);
}

TEST(RandrLayoutTest, HeadroomComesFromTheRampAndIsNoneInAWaylandSession) {
    const ScreenLayout x11 = ScreenLayout::of(desk(), {});
    EXPECT_EQ(x11.screens[0].maxPotentialEDR, 2.0);
    EXPECT_EQ(x11.screens[0].maxReferenceEDR, 2.0);
    EXPECT_EQ(x11.screens[2].maxPotentialEDR, 1.0);  // no ramp

    const ScreenLayout wayland = ScreenLayout::of(desk(), ScreenRules{std::nullopt, true});
    for (const Screen& screen : wayland.screens) {
        EXPECT_EQ(screen.maxPotentialEDR, 1.0);
        EXPECT_EQ(screen.maxReferenceEDR, 1.0);
    }

    EXPECT_EQ(rampHeadroom(256, 1.5), 2.0);
    EXPECT_EQ(rampHeadroom(256, 1000.0 / 203.0), 1000.0 / 203.0);
    EXPECT_EQ(rampHeadroom(0, 1000.0 / 203.0), 1.0);
}

TEST(RandrLayoutTest, TheEdidNamesTheScreenAndAnHdrPeakRaisesItsHeadroom) {
    RandrLayout layout;
    layout.outputs.push_back(output(1, "DP-1", {0, 0, 3440, 1440}));
    layout.outputs[0].edid = edidFile("edid-018.bin");  // "Dell AW3423DW", peak 1060 cd/m2
    layout.outputs.push_back(output(2, "eDP-1", {3440, 0, 1920, 1200}));
    layout.outputs[1].edid = edidFile("edid-024.bin");  // a panel without a name, peak 400 cd/m2
    layout.outputs.push_back(output(3, "HDMI-1", {5360, 0, 1920, 1080}));
    layout.outputs[2].edid = {0x00, 0xff, 0xff, 0x12};  // cut short
    ASSERT_FALSE(layout.outputs[0].edid.empty());

    const ScreenLayout shown = ScreenLayout::of(layout, {});
    EXPECT_EQ(shown.screens[0].name, "Dell AW3423DW");
    EXPECT_NEAR(shown.screens[0].maxPotentialEDR, 1060.189 / 203.0, 1e-4);
    EXPECT_EQ(shown.screens[0].maxReferenceEDR, shown.screens[0].maxPotentialEDR);
    EXPECT_EQ(shown.screens[1].name, "Built-in Display");
    EXPECT_EQ(shown.screens[1].maxPotentialEDR, 2.0);  // 400 / 203 is less than the ramp gives
    EXPECT_EQ(shown.screens[2].name, "HDMI-1");
    EXPECT_EQ(shown.screens[2].maxPotentialEDR, 2.0);
    ASSERT_EQ(shown.unreadableEdids.size(), 1u);
    EXPECT_EQ(shown.unreadableEdids[0].first, 3u);

    // Without a ramp the panel's peak lifts nothing.
    layout.outputs[0].gammaSize = 0;
    EXPECT_EQ(ScreenLayout::of(layout, {}).screens[0].maxPotentialEDR, 1.0);
}

} // namespace
} // namespace brillex::x11
