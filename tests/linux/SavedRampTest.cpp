#include <gtest/gtest.h>

#include "platform/linux/SavedRamp.h"

namespace brillex::x11 {
namespace {

SavedRamp sample(std::size_t size) {
    SavedRamp saved{":7", 63, 4242, 4243, {}};
    for (std::size_t i = 0; i < size; ++i) {
        saved.ramp.red.push_back(static_cast<std::uint16_t>(i * 65535 / (size > 1 ? size - 1 : 1)));
        saved.ramp.green.push_back(static_cast<std::uint16_t>(65535 - saved.ramp.red.back()));
        saved.ramp.blue.push_back(static_cast<std::uint16_t>(i % 2 ? 65535 : 0));
    }
    return saved;
}

TEST(SavedRampTest, EncodedRampsReadBackExactlyAtEverySize) {
    for (const std::size_t size : {1u, 256u, 1024u, 4096u, 65535u}) {
        const SavedRamp saved = sample(size);
        const std::string text = encodeSavedRamp(saved);
        EXPECT_LE(text.size(), kMaxSavedRampBytes);
        EXPECT_EQ(parseSavedRamp(text), saved) << size;
    }
}

TEST(SavedRampTest, AnyDamagedOrTruncatedByteIsRefused) {
    const std::string text = encodeSavedRamp(sample(3));
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string damaged = text;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x01);
        EXPECT_FALSE(parseSavedRamp(damaged)) << "byte " << i;
        EXPECT_FALSE(parseSavedRamp(std::string_view(text).substr(0, i))) << "length " << i;
    }
    EXPECT_FALSE(parseSavedRamp(text + "\n"));
    EXPECT_FALSE(parseSavedRamp(text + text));
}

TEST(SavedRampTest, WellSummedFilesWithImpossibleContentAreRefused) {
    std::string error;
    SavedRamp unequal = sample(4);
    unequal.ramp.green.pop_back();
    EXPECT_FALSE(parseSavedRamp(encodeSavedRamp(unequal), &error));
    EXPECT_EQ(error, "bad channel");

    SavedRamp empty = sample(0);
    EXPECT_FALSE(parseSavedRamp(encodeSavedRamp(empty), &error));
    EXPECT_EQ(error, "bad size");

    SavedRamp noCrtc = sample(2);
    noCrtc.crtc = 0;
    EXPECT_FALSE(parseSavedRamp(encodeSavedRamp(noCrtc), &error));
    EXPECT_EQ(error, "bad crtc");

    for (const char* name : {"", "host :0", "a\nb"}) {
        SavedRamp badName = sample(2);
        badName.displayName = name;
        EXPECT_FALSE(parseSavedRamp(encodeSavedRamp(badName))) << name;
    }
    SavedRamp noOwner = sample(2);
    noOwner.owner = 0;
    EXPECT_FALSE(parseSavedRamp(encodeSavedRamp(noOwner), &error));
    EXPECT_EQ(error, "bad owner");

    EXPECT_FALSE(parseSavedRamp(std::string(kMaxSavedRampBytes + 1, '\n'), &error));
    EXPECT_EQ(error, "too large");
}

} // namespace
} // namespace brillex::x11
