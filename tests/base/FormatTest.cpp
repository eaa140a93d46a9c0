#include <gtest/gtest.h>

#include <limits>

#include "base/Format.h"
#include "base/Log.h"

using namespace brillex;

TEST(Format, DoublesKeepPointZeroOnIntegralValues) {
    EXPECT_EQ(formatNumber(16.0), "16.0");
    EXPECT_EQ(formatNumber(1.0), "1.0");
    EXPECT_EQ(formatNumber(0.0), "0.0");
    EXPECT_EQ(formatNumber(2.1), "2.1");
    EXPECT_EQ(formatNumber(-0.05), "-0.05");
    EXPECT_EQ(formatNumber(46.25), "46.25");
    EXPECT_EQ(formatNumber(0.1 + 0.2), "0.30000000000000004");
}

TEST(Format, FloatsUseTheirOwnShortestForm) {
    EXPECT_EQ(formatNumber(2.1f), "2.1");
    EXPECT_EQ(formatNumber(static_cast<float>((3.2 - 1.0) * 0.5 + 1.0)), "2.1");
    EXPECT_EQ(formatNumber(3.2f), "3.2");
    EXPECT_EQ(formatNumber(1.0f), "1.0");
}

TEST(Format, ExtremesUseExponentForm) {
    EXPECT_EQ(formatNumber(1e16), "1e+16");
    EXPECT_EQ(formatNumber(0.00001), "1e-05");
    EXPECT_EQ(formatNumber(0.0001), "0.0001");
    EXPECT_EQ(formatNumber(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(formatNumber(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(formatBool(true), "true");
    EXPECT_EQ(formatBool(false), "false");
}

TEST(Log, CaptureCollectsLinesAndRestoresThePreviousSink) {
    LogCapture outer;
    {
        LogCapture inner;
        logLine("inner");
        EXPECT_TRUE(inner.contains("inner"));
    }
    logLine("outer");
    EXPECT_EQ(outer.lines(), (std::vector<std::string>{"outer"}));
}
