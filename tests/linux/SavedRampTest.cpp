#include <gtest/gtest.h>

#include <cstdio>

#include "platform/linux/ramps/SavedRamp.h"

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

// The file with its last line made right for whatever precedes it.
std::string resigned(std::string text, bool upperCase = false) {
    text.erase(text.rfind("crc32 "));
    char line[32];
    std::snprintf(line, sizeof line, upperCase ? "crc32 %08X\n" : "crc32 %08x\n", savedRampChecksum(text));
    return text + line;
}

// Only the writer's own spelling is read, so what is accepted is what was written.
TEST(SavedRampTest, NumbersSpelledOtherwiseThanTheWriterDoesAreRefusedEvenWhenWellSummed) {
    const std::string text = encodeSavedRamp(sample(2));
    ASSERT_TRUE(parseSavedRamp(resigned(text)));
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"crtc 63", "crtc 063"}, {"crtc 63", "crtc +63"}, {"owner 4242", "owner -4242"},
             {"size 2", "size 2 "}, {"red 0 65535", "red 0  65535"}, {"red 0 65535", "red 0 65536"},
             {"size 2", "size 70000"}, {"display :7", "display"}}) {
        std::string respelled = text;
        respelled.replace(respelled.find(from), from.size(), to);
        EXPECT_FALSE(parseSavedRamp(resigned(respelled))) << to;
    }
    const std::string upper = resigned(text, true);
    if (upper != text) {
        EXPECT_FALSE(parseSavedRamp(upper));
    }
}

} // namespace
} // namespace brillex::x11
