#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "edid/EdidReader.h"

using namespace brillex;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A base block for vendor "ABC", product 0x1234, with no descriptors yet.
Bytes baseBlock() {
    Bytes block(128, 0);
    const std::uint8_t header[] = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};
    std::copy(std::begin(header), std::end(header), block.begin());
    block[8] = 0x04; // A=1, B=2, C=3 in five bits each: 00001 00010 00011
    block[9] = 0x43;
    block[10] = 0x34;
    block[11] = 0x12;
    block[18] = 1;
    block[19] = 4;
    return block;
}

void setNameDescriptor(Bytes& edid, int slot, const std::string& text) {
    const std::size_t offset = 54 + 18 * static_cast<std::size_t>(slot);
    std::fill(edid.begin() + offset, edid.begin() + offset + 18, 0);
    edid[offset + 3] = 0xfc;
    for (std::size_t i = 0; i < 13; ++i) edid[offset + 5 + i] = i < text.size() ? text[i] : ' ';
}

// An extended-tag HDR static metadata data block with the given payload.
Bytes hdrBlock(const Bytes& payload) {
    Bytes block = {static_cast<std::uint8_t>((7 << 5) | (payload.size() + 1)), 6};
    block.insert(block.end(), payload.begin(), payload.end());
    return block;
}

// Appends a CTA-861 revision 3 extension whose collection holds `dataBlocks`;
// `offset` overrides where the collection is said to end.
void addCta(Bytes& edid, const Bytes& dataBlocks, int offset = -1, std::uint8_t revision = 3) {
    Bytes block(128, 0);
    block[0] = 0x02;
    block[1] = revision;
    block[2] = static_cast<std::uint8_t>(offset >= 0 ? offset : 4 + static_cast<int>(dataBlocks.size()));
    std::copy(dataBlocks.begin(), dataBlocks.end(), block.begin() + 4);
    edid.insert(edid.end(), block.begin(), block.end());
    edid[126] = static_cast<std::uint8_t>(edid[126] + 1);
}

// Appends a DisplayID extension with one CTA data block holding `ctaBlocks`.
void addDisplayId(Bytes& edid, std::uint8_t version, const Bytes& ctaBlocks, int sectionLength = -1) {
    Bytes block(128, 0);
    block[0] = 0x70;
    block[1] = version;
    block[2] = static_cast<std::uint8_t>(sectionLength >= 0 ? sectionLength : 3 + static_cast<int>(ctaBlocks.size()));
    block[5] = 0x81;
    block[7] = static_cast<std::uint8_t>(ctaBlocks.size());
    std::copy(ctaBlocks.begin(), ctaBlocks.end(), block.begin() + 8);
    edid.insert(edid.end(), block.begin(), block.end());
    edid[126] = static_cast<std::uint8_t>(edid[126] + 1);
}

EdidInfo read(const Bytes& edid) {
    const auto reading = readEdid(edid);
    EXPECT_TRUE(reading.info) << reading.error;
    return reading.info.value_or(EdidInfo{});
}

std::string error(const Bytes& edid) {
    const auto reading = readEdid(edid);
    EXPECT_FALSE(reading.info);
    return reading.error;
}

} // namespace

TEST(EdidReaderTest, BaseBlockGivesVendorProductAndTheFirstNonEmptyName) {
    Bytes edid = baseBlock();
    EXPECT_EQ(read(edid).vendor, "ABC");
    EXPECT_EQ(read(edid).product, 0x1234);
    EXPECT_FALSE(read(edid).name);
    EXPECT_FALSE(read(edid).hdr);

    setNameDescriptor(edid, 1, "\n");
    setNameDescriptor(edid, 2, "Panel One\n");
    setNameDescriptor(edid, 3, "Panel Two\n");
    EXPECT_EQ(read(edid).name, "Panel One");

    // Thirteen characters fill the descriptor with no newline; padding and
    // unprintable bytes do not reach the name.
    setNameDescriptor(edid, 2, "ABCDEFGHIJKLM");
    EXPECT_EQ(read(edid).name, "ABCDEFGHIJKLM");
    setNameDescriptor(edid, 2, "Wide  ");
    EXPECT_EQ(read(edid).name, "Wide");
    setNameDescriptor(edid, 2, "Caf\xe9\x01\n");
    EXPECT_EQ(read(edid).name, "Caf??");

    // A detailed timing carries a pixel clock where descriptors have zero.
    edid[54 + 36] = 0x01;
    EXPECT_EQ(read(edid).name, "Panel Two");
}

TEST(EdidReaderTest, HdrBlockGivesEotfsAndTheLuminanceItsLengthHolds) {
    Bytes edid = baseBlock();
    addCta(edid, hdrBlock({0x0f | 0x30, 0x01, 96, 64, 255}));
    const EdidInfo full = read(edid);
    EXPECT_TRUE(full.hdr);
    EXPECT_EQ(full.eotfs, (std::vector<Eotf>{Eotf::sdr, Eotf::hdrGamma, Eotf::pq, Eotf::hlg}));
    EXPECT_DOUBLE_EQ(*full.maxLuminance, 400.0);
    EXPECT_DOUBLE_EQ(*full.maxFrameAverageLuminance, 200.0);
    EXPECT_DOUBLE_EQ(*full.minLuminance, 4.0);
    EXPECT_DOUBLE_EQ(*full.headroom(), 400.0 / 203.0);

    Bytes shorter = baseBlock();
    addCta(shorter, hdrBlock({0x05, 0x01, 0}));
    const EdidInfo maxOnly = read(shorter);
    EXPECT_EQ(maxOnly.eotfs, (std::vector<Eotf>{Eotf::sdr, Eotf::pq}));
    EXPECT_DOUBLE_EQ(*maxOnly.maxLuminance, 50.0);
    EXPECT_FALSE(maxOnly.maxFrameAverageLuminance);
    EXPECT_FALSE(maxOnly.minLuminance);

    Bytes bare = baseBlock();
    addCta(bare, hdrBlock({0x04, 0x01}));
    EXPECT_TRUE(read(bare).hdr);
    EXPECT_FALSE(read(bare).maxLuminance);
    EXPECT_FALSE(read(bare).headroom());
}

TEST(EdidReaderTest, FirstUsableHdrBlockCountsAcrossBlocksAndExtensions) {
    Bytes edid = baseBlock();
    Bytes blocks = hdrBlock({0x04}); // too short to say anything
    const Bytes first = hdrBlock({0x04, 0x01, 128});
    const Bytes second = hdrBlock({0x08, 0x01, 32});
    blocks.insert(blocks.end(), first.begin(), first.end());
    blocks.insert(blocks.end(), second.begin(), second.end());
    addCta(edid, blocks);
    addCta(edid, second);
    const EdidInfo info = read(edid);
    EXPECT_EQ(info.eotfs, (std::vector<Eotf>{Eotf::pq}));
    EXPECT_DOUBLE_EQ(*info.maxLuminance, 800.0);
}

TEST(EdidReaderTest, CollectionBoundsFollowEdidDecodeInsideTheBlock) {
    // The collection is said to end inside the HDR block: it is read all the same.
    Bytes overrun = baseBlock();
    addCta(overrun, hdrBlock({0x04, 0x01, 160}), 6);
    EXPECT_DOUBLE_EQ(*read(overrun).maxLuminance, 1600.0);

    // Revisions before 3 have no data blocks.
    Bytes old = baseBlock();
    addCta(old, hdrBlock({0x04, 0x01, 160}), -1, 2);
    EXPECT_FALSE(read(old).hdr);

    // A data block at the block's end claiming more bytes than are left, with
    // the collection end past the block: nothing beyond the block is read.
    Bytes edge = baseBlock();
    addCta(edge, {}, 255);
    edge[128 + 120] = (7 << 5) | 31;
    edge[128 + 121] = 6;
    EXPECT_FALSE(read(edge).hdr);
    addCta(edge, hdrBlock({0x04, 0x01, 0}));
    EXPECT_TRUE(read(edge).hdr);
}

TEST(EdidReaderTest, DisplayIdCarriesEmbeddedCtaBlocks) {
    for (const std::uint8_t version : {std::uint8_t{0x13}, std::uint8_t{0x20}}) {
        Bytes edid = baseBlock();
        addDisplayId(edid, version, hdrBlock({0x04, 0x01, 192, 96, 16}));
        const EdidInfo info = read(edid);
        EXPECT_TRUE(info.hdr) << int(version);
        EXPECT_DOUBLE_EQ(*info.maxLuminance, 3200.0);
    }

    // A section too short for its data block ends the walk; a section said to
    // be longer than the block is cut to the block, filler blocks and all.
    Bytes cut = baseBlock();
    addDisplayId(cut, 0x13, hdrBlock({0x04, 0x01, 192}), 4);
    EXPECT_FALSE(read(cut).hdr);
    Bytes huge = baseBlock();
    addDisplayId(huge, 0x20, hdrBlock({0x04, 0x01, 192}), 255);
    for (std::size_t i = 128 + 13; i < huge.size(); ++i) huge[i] = (i - 128 - 13) % 3 == 0 ? 0x7e : 0;
    EXPECT_TRUE(read(huge).hdr);
}

// The scenario scripts show the common refusals; these are the limits.
TEST(EdidReaderTest, ShortAndOverlongDataAreRefused) {
    const Bytes base = baseBlock();
    EXPECT_EQ(error(Bytes(base.begin(), base.begin() + 100)), "length 100 is not a multiple of 128");
    // What a reader of at most 256 blocks and one byte gets from a longer file.
    Bytes endless = base;
    endless.resize(256 * 128 + 1);
    EXPECT_EQ(error(endless), "longer than 256 blocks");
    endless.resize(256 * 128);
    EXPECT_EQ(read(endless).vendor, "ABC");
}

// Every byte of real EDIDs set to every value: each reading is refused or
// sound, and (under the sanitizers) nothing outside the buffer is read.
TEST(EdidReaderTest, CorruptedRealEdidsReadSoundly) {
    for (const char* name : {"edid-004.bin", "edid-017.bin"}) {
        std::ifstream file(std::string(BRILLEX_EDID_DATA) + "/" + name, std::ios::binary);
        const Bytes original{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        ASSERT_FALSE(original.empty()) << name;
        for (std::size_t at = 0; at < original.size(); ++at) {
            for (int value = 0; value < 256; value += 3) {
                Bytes edid = original;
                edid[at] = static_cast<std::uint8_t>(value);
                const auto reading = readEdid(edid);
                if (!reading.info) {
                    EXPECT_FALSE(reading.error.empty());
                    continue;
                }
                const EdidInfo& info = *reading.info;
                ASSERT_EQ(info.vendor.size(), 3u);
                ASSERT_LE(info.eotfs.size(), 4u);
                if (info.maxLuminance) {
                    ASSERT_TRUE(*info.maxLuminance >= 50.0 && *info.maxLuminance < 12600.0);
                }
                if (info.minLuminance) {
                    ASSERT_LE(*info.minLuminance, *info.maxLuminance / 100.0);
                }
            }
        }
    }
}
