// The overlay as a Qt window, mirroring the simulated extended-range device.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "base/Log.h"
#include "boost/OverlayWindow.h"
#include "platform/sim/SimEdrOutput.h"
#include "ui/shell/QtOverlayWindow.h"

namespace brillex {
namespace {

int primaryHeight() { return QGuiApplication::primaryScreen()->geometry().height(); }

Screen screenAt(double x, double y) {
    Screen screen;
    screen.displayId = 2;
    screen.name = "Pro Display XDR";
    screen.frame = Rect{x, y, 1920, 1080};
    return screen;
}

TEST(QtOverlayWindow, IsAOnePixelClickThroughWindowAtTheScreenOrigin) {
    QtExtendedRangeOutput output;
    auto surface = output.createOverlay(2, OverlayWindow::settingsFor(screenAt(0, 0)));
    auto* window = dynamic_cast<QtOverlayWindow*>(surface.get());
    ASSERT_NE(window, nullptr);
    // The origin is the screen's lower-left corner; Qt counts from the top.
    EXPECT_EQ(window->geometry(), QRect(0, primaryHeight() - 1, 1, 1));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_EQ(window->windowType(), Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(flags & Qt::X11BypassWindowManagerHint);
    EXPECT_TRUE(window->testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
}

TEST(QtOverlayWindow, SecondaryScreensLeftOfOrAboveTheMainOneKeepTheirOrigin) {
    QtExtendedRangeOutput output;
    auto left = output.createOverlay(2, OverlayWindow::settingsFor(screenAt(-1920, -200)));
    EXPECT_EQ(dynamic_cast<QtOverlayWindow&>(*left).geometry().topLeft(), QPoint(-1920, primaryHeight() + 199));
    auto above = output.createOverlay(3, OverlayWindow::settingsFor(screenAt(300, 900)));
    EXPECT_EQ(dynamic_cast<QtOverlayWindow&>(*above).geometry().topLeft(), QPoint(300, primaryHeight() - 901));
}

TEST(QtOverlayWindow, SaysOnceItShowsStandardRangeAndClampsTheColour) {
    LogCapture log;
    QtExtendedRangeOutput output;
    EXPECT_TRUE(output.hasDevice());
    auto surface = output.createOverlay(7, OverlayWindow::settingsFor(screenAt(0, 0)));
    ASSERT_EQ(log.lines().size(), 1u);
    EXPECT_EQ(log.lines()[0],
              "Overlay for display 7: this desktop has no extended-range output; the overlay window shows standard "
              "range only");
    auto& window = dynamic_cast<QtOverlayWindow&>(*surface);
    window.setClearColor(ClearColor{2.1, 2.1, 2.1, 0.01});
    EXPECT_EQ(window.shownColor().redF(), 1.0f);
    EXPECT_NEAR(window.shownColor().alphaF(), 0.01, 0.002);
    window.setClearColor(ClearColor{std::nan(""), -1.0, 0.5, 2.0});
    EXPECT_EQ(window.shownColor().redF(), 0.0f);
    EXPECT_EQ(window.shownColor().greenF(), 0.0f);
    EXPECT_EQ(window.shownColor().alphaF(), 1.0f);
    EXPECT_EQ(log.lines().size(), 1u);
}

TEST(QtOverlayWindow, FramesNeedTheWindowOnScreen) {
    QtExtendedRangeOutput output;
    auto surface = output.createOverlay(2, OverlayWindow::settingsFor(screenAt(0, 0)));
    EXPECT_FALSE(surface->presentFrame());
    surface->orderFrontRegardless();
    EXPECT_TRUE(dynamic_cast<QtOverlayWindow&>(*surface).isVisible());
    EXPECT_TRUE(surface->presentFrame());
    surface->close();
    EXPECT_FALSE(dynamic_cast<QtOverlayWindow&>(*surface).isVisible());
    EXPECT_FALSE(surface->presentFrame());
}

TEST(QtOverlayWindow, MirrorsEveryCallToTheSimulatedDevice) {
    sim::SimEdrOutput device;
    QtExtendedRangeOutput output(&device);
    auto surface = output.createOverlay(2, OverlayWindow::settingsFor(screenAt(0, 0)));
    ASSERT_EQ(device.overlays().size(), 1u);
    const auto& record = *device.overlays()[0];
    EXPECT_EQ(record.display, 2u);
    surface->orderFrontRegardless();
    surface->setClearColor(ClearColor{1.6, 1.6, 1.6, 0.01});
    EXPECT_TRUE(surface->presentFrame());
    EXPECT_TRUE(record.isVisible());
    EXPECT_EQ(record.color->red, 1.6);
    EXPECT_EQ(record.frames, 1);
    // A frame the device skips is a skipped frame, though the window painted.
    device.drawableAvailable = false;
    EXPECT_FALSE(surface->presentFrame());
    surface->close();
    EXPECT_TRUE(record.closed);
    surface.reset();
    EXPECT_TRUE(record.destroyed);
}

TEST(QtOverlayWindow, NoDeviceMeansNoDeviceForTheMirror) {
    sim::SimEdrOutput device;
    device.deviceAvailable = false;
    QtExtendedRangeOutput output(&device);
    EXPECT_FALSE(output.hasDevice());
}

} // namespace
} // namespace brillex
