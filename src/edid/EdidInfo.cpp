#include "edid/EdidInfo.h"

namespace brillex {

const char* eotfName(Eotf eotf) {
    switch (eotf) {
    case Eotf::sdr: return "sdr";
    case Eotf::hdrGamma: return "hdr-gamma";
    case Eotf::pq: return "pq";
    case Eotf::hlg: return "hlg";
    }
    return "?";
}

std::optional<double> EdidInfo::headroom() const {
    constexpr double kReferenceWhite = 203.0;
    if (!maxLuminance) return std::nullopt;
    return *maxLuminance / kReferenceWhite;
}

} // namespace brillex
