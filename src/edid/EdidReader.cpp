#include "edid/EdidReader.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace brillex {
namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::size_t kBlockSize = 128;
constexpr std::size_t kMaxBlocks = 256;
constexpr std::size_t kChecksumOffset = kBlockSize - 1;
constexpr std::array<std::uint8_t, 8> kHeader = {0x00, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0x00};

constexpr std::uint8_t kCtaExtension = 0x02;
constexpr std::uint8_t kDisplayIdExtension = 0x70;
constexpr unsigned kCtaExtendedTag = 7;
constexpr std::uint8_t kHdrStaticMetadata = 6;
constexpr std::uint8_t kDisplayIdCtaBlock = 0x81;
constexpr std::uint8_t kProductNameDescriptor = 0xfc;

// Letters 1..26 are A..Z; other codes read as the neighbouring ASCII
// characters, as edid-decode shows them.
std::string pnpId(std::uint8_t high, std::uint8_t low) {
    const unsigned code = (unsigned(high) << 8) | low;
    std::string id;
    for (const unsigned shift : {10u, 5u, 0u}) id += static_cast<char>('@' + ((code >> shift) & 0x1f));
    return id;
}

// Descriptor text ends at a newline; trailing padding is not part of it, and
// bytes that are not printable ASCII show as '?'.
std::string descriptorText(Bytes text) {
    std::string result;
    for (const std::uint8_t c : text) {
        if (c == 0x0a || c == 0x00) break;
        result += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
    }
    result.erase(result.find_last_not_of(' ') + 1);
    return result;
}

std::optional<std::string> productName(Bytes base) {
    for (std::size_t offset = 54; offset + 18 <= kChecksumOffset; offset += 18) {
        const Bytes descriptor = base.subspan(offset, 18);
        // A display descriptor has a pixel clock of zero where a timing has one.
        if (descriptor[0] != 0 || descriptor[1] != 0 || descriptor[3] != kProductNameDescriptor) continue;
        std::string name = descriptorText(descriptor.subspan(5));
        if (!name.empty()) return name;
    }
    return std::nullopt;
}

double luminance(std::uint8_t code) {
    return 50.0 * std::pow(2.0, code / 32.0);
}

// `payload` follows the extended tag. The first block with its two mandatory
// bytes counts; the luminance bytes are optional, each present by length.
void readHdrStaticMetadata(Bytes payload, EdidInfo& info) {
    if (info.hdr || payload.size() < 2) return;
    info.hdr = true;
    for (const Eotf eotf : {Eotf::sdr, Eotf::hdrGamma, Eotf::pq, Eotf::hlg}) {
        if (payload[0] & (1u << static_cast<unsigned>(eotf))) info.eotfs.push_back(eotf);
    }
    if (payload.size() >= 3) info.maxLuminance = luminance(payload[2]);
    if (payload.size() >= 4) info.maxFrameAverageLuminance = luminance(payload[3]);
    if (payload.size() >= 5) info.minLuminance = *info.maxLuminance * std::pow(payload[4] / 255.0, 2) / 100.0;
}

// A collection of CTA data blocks from `begin` to `end` in `block`. A data block
// may run past `end` (real displays do that) but not past the block.
void readCtaDataBlocks(Bytes block, std::size_t begin, std::size_t end, EdidInfo& info) {
    for (std::size_t i = begin; i < end;) {
        const std::size_t length = block[i] & 0x1f;
        const unsigned tag = block[i] >> 5;
        if (i + 1 + length > block.size()) return;
        if (tag == kCtaExtendedTag && length >= 1 && block[i + 1] == kHdrStaticMetadata) {
            readHdrStaticMetadata(block.subspan(i + 2, length - 1), info);
        }
        i += 1 + length;
    }
}

void readCtaExtension(Bytes block, EdidInfo& info) {
    // Revisions 1 and 2 have no data block collection.
    if (block[1] < 3) return;
    readCtaDataBlocks(block, 4, std::min<std::size_t>(block[2], kChecksumOffset), info);
}

void readDisplayIdExtension(Bytes block, EdidInfo& info) {
    constexpr std::size_t kSectionStart = 5;
    // The section and its own checksum byte fit before the block's checksum.
    constexpr std::size_t kMaxSection = kChecksumOffset - kSectionStart - 1;
    std::size_t remaining = std::min<std::size_t>(block[2], kMaxSection);
    std::size_t offset = kSectionStart;
    while (remaining >= 3) {
        const std::uint8_t tag = block[offset];
        const std::size_t length = block[offset + 2];
        if (tag == 0 && length == 0) return; // padding
        if (length + 3 > remaining) return;
        if (tag == kDisplayIdCtaBlock) readCtaDataBlocks(block, offset + 3, offset + 3 + length, info);
        remaining -= length + 3;
        offset += length + 3;
    }
}

EdidReading failure(std::string error) {
    return EdidReading{std::nullopt, std::move(error)};
}

} // namespace

// Checksums are not checked: edid-decode reads a block whose checksum is wrong
// just the same, and so do the drivers for extension blocks.
EdidReading readEdid(Bytes bytes) {
    if (bytes.empty()) return failure("no data");
    if (bytes.size() > kMaxBlocks * kBlockSize) return failure("longer than 256 blocks");
    if (bytes.size() % kBlockSize != 0) {
        return failure("length " + std::to_string(bytes.size()) + " is not a multiple of 128");
    }
    if (!std::equal(kHeader.begin(), kHeader.end(), bytes.begin())) return failure("no EDID header");

    const Bytes base = bytes.first(kBlockSize);
    EdidInfo info;
    info.vendor = pnpId(base[8], base[9]);
    info.product = static_cast<std::uint16_t>(base[10] | (base[11] << 8));
    info.name = productName(base);
    // Every block present counts, whatever the count in the base block says.
    for (std::size_t offset = kBlockSize; offset < bytes.size(); offset += kBlockSize) {
        const Bytes block = bytes.subspan(offset, kBlockSize);
        if (block[0] == kCtaExtension) readCtaExtension(block, info);
        if (block[0] == kDisplayIdExtension) readDisplayIdExtension(block, info);
    }
    return EdidReading{std::move(info), {}};
}

} // namespace brillex
