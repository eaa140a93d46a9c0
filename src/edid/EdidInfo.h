#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brillex {

// Transfer functions an HDR static metadata block can list, in its bit order.
enum class Eotf { sdr, hdrGamma, pq, hlg };

// "sdr", "hdr-gamma", "pq", "hlg".
const char* eotfName(Eotf eotf);

// What a display says about itself in its EDID.
struct EdidInfo {
    std::string vendor; // three-letter PNP id
    std::uint16_t product = 0;
    std::optional<std::string> name; // first non-empty product-name descriptor
    bool hdr = false;                // an HDR static metadata block was found
    std::vector<Eotf> eotfs;
    std::optional<double> maxLuminance; // cd/m2
    std::optional<double> maxFrameAverageLuminance;
    std::optional<double> minLuminance;

    // maxLuminance over the BT.2408 reference white of 203 cd/m2.
    std::optional<double> headroom() const;
};

} // namespace brillex
