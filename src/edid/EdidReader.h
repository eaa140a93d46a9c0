#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "edid/EdidInfo.h"

namespace brillex {

// The outcome of reading an EDID: the information, or why there is none.
struct EdidReading {
    std::optional<EdidInfo> info;
    std::string error; // set when !info
};

// Reads a base block and its extensions (CTA-861, and DisplayID with embedded
// CTA data blocks). Where a real EDID breaks the rules, this reads what
// edid-decode reads: every block present whatever the extension count says,
// blocks whose checksum is wrong, a data block running past its collection's
// end while it stays inside its 128-byte block. Nothing outside `bytes` is read.
EdidReading readEdid(std::span<const std::uint8_t> bytes);

} // namespace brillex
