#include "boost/EDROverlay.h"

#include <gtest/gtest.h>

#include "base/Log.h"
#include "boost/OverlayWindow.h"
#include "BoostTestSupport.h"

namespace brillex {
namespace {

class EDROverlayTest : public ::testing::Test {
protected:
    Screen screen = test::screenOf(4, "Studio", 2.5, Rect{100, 1080, 2560, 1440});
    sim::SimComputer sim;
    LogCapture log;
};

TEST_F(EDROverlayTest, CreationLogsTheScreensHeadroom) {
    const auto view = EDROverlay::create(screen, sim.edrOutput, sim.loop);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->maxEDR, 2.5);
    EXPECT_EQ(view->edrValue, 1.0);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"EDR setup: maxEDR=2.5"});
}

TEST_F(EDROverlayTest, NoDeviceNoView) {
    sim.edrOutput.deviceAvailable = false;
    EXPECT_EQ(EDROverlay::create(screen, sim.edrOutput, sim.loop), nullptr);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Metal not supported"});
}

TEST_F(EDROverlayTest, DrawsTenFramesASecondInItsWindow) {
    OverlayWindow window(screen, sim.edrOutput);
    auto view = EDROverlay::create(screen, sim.edrOutput, sim.loop);
    sim.loop.advance(1.0);
    const auto& record = *sim.edrOutput.overlays().at(0);
    EXPECT_EQ(record.frames, 0); // not in a window yet

    window.setContentView(*view);
    window.orderFrontRegardless();
    view->setClearColor(ClearColor{3.2, 3.2, 3.2, 0.01});
    sim.loop.advance(1.05);
    EXPECT_EQ(record.frames, 10);
    EXPECT_EQ(record.color->red, 3.2);
    EXPECT_EQ(record.settings.contentRect.x, 100.0);
    EXPECT_EQ(record.settings.contentRect.y, 1080.0);
}

TEST_F(EDROverlayTest, FramesWithoutDrawableAreSkipped) {
    OverlayWindow window(screen, sim.edrOutput);
    auto view = EDROverlay::create(screen, sim.edrOutput, sim.loop);
    window.setContentView(*view);
    sim.edrOutput.drawableAvailable = false;
    sim.loop.advance(0.55);
    sim.edrOutput.drawableAvailable = true;
    sim.loop.advance(0.5);
    const auto& record = *sim.edrOutput.overlays().at(0);
    EXPECT_EQ(record.skippedFrames, 5);
    EXPECT_EQ(record.frames, 5);
}

TEST_F(EDROverlayTest, ColourSetBeforeTheWindowIsPickedUp) {
    OverlayWindow window(screen, sim.edrOutput);
    auto view = EDROverlay::create(screen, sim.edrOutput, sim.loop);
    EXPECT_FALSE(sim.edrOutput.overlays().at(0)->color.has_value());
    view->setClearColor(ClearColor{1.5, 1.5, 1.5, 0.01});
    window.setContentView(*view);
    EXPECT_EQ(sim.edrOutput.overlays().at(0)->color->green, 1.5);
}

TEST_F(EDROverlayTest, ClosedWindowStopsTheFrames) {
    auto window = std::make_unique<OverlayWindow>(screen, sim.edrOutput);
    auto view = EDROverlay::create(screen, sim.edrOutput, sim.loop);
    window->setContentView(*view);
    window->orderFrontRegardless();
    sim.loop.advance(0.35);
    window->close();
    window.reset();
    sim.loop.advance(1.0);
    EXPECT_EQ(sim.edrOutput.overlays().at(0)->frames, 3);
    EXPECT_EQ(sim.loop.activeTimers(), 0u);
    EXPECT_EQ(sim.edrOutput.overlay(4), nullptr);
}

} // namespace
} // namespace brillex
