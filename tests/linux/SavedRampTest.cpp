#include <gtest/gtest.h>

#include <cstdio>

#include "platform/linux/ramps/SavedRamp.h"

namespace brillex::x11 {
namespace {

SavedRamp sample(std::size_t size) {
    SavedRamp saved{":7", 63, 4242, 4243, {}, {0x1234abcd, 0xffffffff}, "x11"};
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

namespace brillex::x11 {
namespace {

// Files of the first version, without writer and shown lines, still read:
// the next start after an upgrade restores what the last run left.
TEST(SavedRampTest, AFileOfTheFirstVersionReadsAsAnX11RampWithNothingShownRecorded) {
    const std::string first = "brillex-saved-ramp 1\ndisplay :1\ncrtc 63\nowner 1234\nguardian 1235\nsize 4\n"
                              "red 0 19660 39321 58981\ngreen 0 21845 43690 65535\nblue 0 21845 43690 65535\n";
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, "%08x", savedRampChecksum(first));
    const auto saved = parseSavedRamp(first + "crc32 " + checksum + "\n");
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->writer, "x11");
    EXPECT_TRUE(saved->shown.empty());
    EXPECT_EQ(saved->ramp.red[1], 19660);
    // The lines of this version are no part of the first.
    EXPECT_FALSE(parseSavedRamp("brillex-saved-ramp 1\ndisplay :1\nwriter x11\n"));
}

} // namespace
} // namespace brillex::x11
