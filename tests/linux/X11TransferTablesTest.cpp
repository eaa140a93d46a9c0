#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "boost/GammaTable.h"
#include "platform/linux/x11/X11TransferTables.h"

namespace brillex::x11 {
namespace {

constexpr DisplayId kOutput = 0x43;
constexpr CrtcId kCrtc = 0x3b;

// CRTC ramps in memory, of any size, with failures to switch on.
class MemoryRamps : public CrtcRamps {
public:
    std::optional<CrtcId> crtcOf(std::uint32_t output) override {
        if (const auto it = crtcs.find(output); it != crtcs.end()) return it->second;
        return std::nullopt;
    }
    std::optional<CrtcRamp> read(CrtcId crtc) override {
        if (const auto it = ramps.find(crtc); it != ramps.end()) return it->second;
        return std::nullopt;
    }
    bool write(CrtcId crtc, const CrtcRamp& ramp) override {
        if (writeFails || ramps.count(crtc) == 0 || ramps[crtc].size() != ramp.size()) return false;
        ramps[crtc] = ramp;
        ++writes;
        return true;
    }

    std::map<std::uint32_t, CrtcId> crtcs;
    std::map<CrtcId, CrtcRamp> ramps;
    bool writeFails = false;
    int writes = 0;
};

// Records the guard's calls, with what the CRTC held at each.
class RecordingGuard : public RampGuard {
public:
    explicit RecordingGuard(MemoryRamps& ramps) : ramps_(ramps) {}
    std::optional<std::string> whyUnprotected() override { return unprotected; }
    bool keepNative(CrtcId crtc, const CrtcRamp& native) override {
        calls.push_back("keep");
        EXPECT_EQ(native, ramps_.ramps[crtc]) << "kept after the CRTC had changed";
        return !refuseKeep;
    }
    void willShow(CrtcId crtc, const CrtcRamp& ramp) override {
        EXPECT_NE(ramp, native);
        EXPECT_EQ(ramps_.ramps[crtc], shown.empty() ? native : shown.back()) << "told after the write";
        shown.push_back(ramp);
    }
    void nativeRestored(CrtcId crtc) override {
        calls.push_back("restored");
        EXPECT_EQ(native, ramps_.ramps[crtc]) << "told before the native ramp was back";
    }

    CrtcRamp native;
    std::vector<std::string> calls;
    std::vector<CrtcRamp> shown;
    std::optional<std::string> unprotected;
    bool refuseKeep = false;

private:
    MemoryRamps& ramps_;
};

// A per-channel calibration with values no interpolation reproduces.
CrtcRamp calibrated(std::size_t size) {
    CrtcRamp ramp;
    for (std::size_t i = 0; i < size; ++i) {
        const double x = static_cast<double>(i) / static_cast<double>(size - 1);
        ramp.red.push_back(static_cast<std::uint16_t>(std::lround(std::pow(x, 1.0 / 0.9) * 65535.0)));
        ramp.green.push_back(static_cast<std::uint16_t>(std::lround(x * 65535.0) ^ (i % 3)));
        ramp.blue.push_back(static_cast<std::uint16_t>(std::lround(std::pow(x, 1.0 / 1.1) * 65535.0)));
    }
    return ramp;
}

class X11TransferTablesTest : public ::testing::TestWithParam<std::size_t> {
protected:
    X11TransferTablesTest() {
        ramps.crtcs[kOutput] = kCrtc;
        ramps.ramps[kCrtc] = calibrated(GetParam());
        guard.native = ramps.ramps[kCrtc];
    }

    MemoryRamps ramps;
    RecordingGuard guard{ramps};
    X11TransferTables tables{ramps, &guard};
};

TEST_P(X11TransferTablesTest, BoostThenRestoreGivesBackTheNativeRampBitForBit) {
    const CrtcRamp native = ramps.ramps[kCrtc];
    std::optional<GammaTable> saved = captureGammaTable(kOutput, tables);
    ASSERT_TRUE(saved.has_value());
    EXPECT_NEAR(saved->red[128], std::pow(128 / 255.0, 1.0 / 0.9), 1e-4);

    applyGammaBoost(kOutput, saved->red, saved->green, saved->blue, 1.0f, tables);
    applyGammaBoost(kOutput, saved->red, saved->green, saved->blue, 2.1f, tables);
    const CrtcRamp boosted = ramps.ramps[kCrtc];
    EXPECT_GT(boosted.red[GetParam() / 4], native.red[GetParam() / 4]);
    EXPECT_EQ(boosted.red.back(), 65535);  // white cannot get brighter: it clips
    applyGammaBoost(kOutput, saved->red, saved->green, saved->blue, 3.2f, tables);
    ASSERT_FALSE(guard.shown.empty());
    EXPECT_EQ(guard.shown.back(), ramps.ramps[kCrtc]);

    restoreGammaTable(kOutput, saved->red, saved->green, saved->blue, tables);
    EXPECT_EQ(ramps.ramps[kCrtc], native);
    // Kept once before the first change, however many level moves followed.
    EXPECT_EQ(guard.calls, (std::vector<std::string>{"keep", "restored"}));
    EXPECT_EQ(ramps.writes, 4);
}

TEST_P(X11TransferTablesTest, ARampThatCannotBeKeptSafeIsNeitherCapturedNorChanged) {
    guard.unprotected = "no place for it";
    float table[256] = {};
    std::uint32_t count = 0;
    EXPECT_EQ(tables.getTransferTable(kOutput, 256, table, table, table, count), TransferTables::kUnprotected);
    EXPECT_EQ(tables.whyUnprotected(), "no place for it");

    // Unkept between capture and the first write: the write does not happen.
    guard.unprotected.reset();
    std::optional<GammaTable> saved = captureGammaTable(kOutput, tables);
    ASSERT_TRUE(saved.has_value());
    guard.refuseKeep = true;
    applyGammaBoost(kOutput, saved->red, saved->green, saved->blue, 2.0f, tables);
    EXPECT_EQ(ramps.ramps[kCrtc], guard.native);
    EXPECT_EQ(ramps.writes, 0);
}

TEST_P(X11TransferTablesTest, ACaptureWhileStillBoostedHandsOutTheNativeTable) {
    std::optional<GammaTable> first = captureGammaTable(kOutput, tables);
    ASSERT_TRUE(first.has_value());
    applyGammaBoost(kOutput, first->red, first->green, first->blue, 2.0f, tables);
    ramps.writeFails = true;
    restoreGammaTable(kOutput, first->red, first->green, first->blue, tables);
    ramps.writeFails = false;

    // The boost comes on again over a CRTC that never got its ramp back.
    std::optional<GammaTable> second = captureGammaTable(kOutput, tables);
    ASSERT_TRUE(second.has_value());
    EXPECT_EQ(second->red, first->red);
    EXPECT_EQ(second->blue, first->blue);
    restoreGammaTable(kOutput, second->red, second->green, second->blue, tables);
    EXPECT_EQ(ramps.ramps[kCrtc], guard.native);
    EXPECT_EQ(guard.calls, (std::vector<std::string>{"keep", "restored"}));
}

INSTANTIATE_TEST_SUITE_P(RampSizes, X11TransferTablesTest, ::testing::Values(256, 1024, 4096));

TEST(X11TransferTablesFailureTest, AnOutputWithoutCrtcOrRampFailsAndNothingIsWritten) {
    MemoryRamps ramps;
    X11TransferTables tables(ramps, nullptr);
    float table[256] = {};
    std::uint32_t count = 0;
    EXPECT_EQ(tables.getTransferTable(kOutput, 256, table, table, table, count), X11TransferTables::kFailure);
    EXPECT_EQ(tables.setTransferTable(kOutput, 256, table, table, table), X11TransferTables::kFailure);

    ramps.crtcs[kOutput] = kCrtc;  // a CRTC without a ramp
    EXPECT_EQ(tables.getTransferTable(kOutput, 256, table, table, table, count), X11TransferTables::kFailure);
    EXPECT_EQ(tables.setTransferTable(kOutput, 256, table, table, table), X11TransferTables::kFailure);
    EXPECT_EQ(ramps.writes, 0);
}

} // namespace
} // namespace brillex::x11
