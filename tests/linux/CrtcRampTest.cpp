#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include "platform/linux/x11/CrtcRamp.h"
#include "support/CalibratedCrtc.h"
#include "support/XvfbServer.h"

namespace brillex::x11 {
namespace {

class CrtcRampTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server().running()) GTEST_SKIP() << "Xvfb is not installed";
        const auto first = test::calibrateFirstCrtc(server(), display);
        ASSERT_TRUE(first.has_value());
        crtc = first->crtc;
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    static test::XvfbServer& server() {
        static test::XvfbServer instance;
        return instance;
    }
    Display* display = nullptr;
    CrtcId crtc = 0;
};

TEST_F(CrtcRampTest, WrittenRampReadsBackExactlyAndWrongSizesAreRefused) {
    std::optional<CrtcRamp> calibrated = readCrtcRamp(display, crtc);
    ASSERT_TRUE(calibrated.has_value());
    ASSERT_GT(calibrated->size(), 1u);
    EXPECT_NE(calibrated->red, calibrated->blue);  // the calibration differs per channel

    CrtcRamp changed = *calibrated;
    for (auto& v : changed.green) v = static_cast<std::uint16_t>(v / 2);
    ASSERT_TRUE(writeCrtcRamp(display, crtc, changed));
    EXPECT_EQ(readCrtcRamp(display, crtc), changed);

    CrtcRamp shorter = changed;
    shorter.red.pop_back();
    shorter.green.pop_back();
    shorter.blue.pop_back();
    EXPECT_FALSE(writeCrtcRamp(display, crtc, shorter));
    EXPECT_FALSE(writeCrtcRamp(display, crtc, CrtcRamp{}));

    ASSERT_TRUE(writeCrtcRamp(display, crtc, *calibrated));
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
}

TEST_F(CrtcRampTest, AnUnknownCrtcIsAnAnswerNotAnExit) {
    EXPECT_FALSE(readCrtcRamp(display, 0x7fffff).has_value());
    EXPECT_FALSE(writeCrtcRamp(display, 0x7fffff, CrtcRamp{{1, 2}, {1, 2}, {1, 2}}));
}

} // namespace
} // namespace brillex::x11
