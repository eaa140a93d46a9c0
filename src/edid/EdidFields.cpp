#include "edid/EdidFields.h"

#include <cstdio>

namespace brillex {
namespace {

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string threeDecimals(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

} // namespace

std::vector<std::pair<std::string, std::string>> edidFields(const EdidReading& reading) {
    if (!reading.info) return {{"valid", "false"}, {"error", quoted(reading.error)}};
    const EdidInfo& info = *reading.info;
    std::vector<std::pair<std::string, std::string>> fields = {
        {"valid", "true"},
        {"vendor", quoted(info.vendor)},
        {"product", std::to_string(info.product)},
        {"name", quoted(info.name.value_or(""))},
        {"hdr", info.hdr ? "true" : "false"},
    };
    if (!info.eotfs.empty()) {
        std::string names;
        for (const Eotf eotf : info.eotfs) names += (names.empty() ? "" : ",") + std::string(eotfName(eotf));
        fields.emplace_back("eotf", names);
    }
    const std::pair<const char*, std::optional<double>> values[] = {
        {"max", info.maxLuminance},
        {"average", info.maxFrameAverageLuminance},
        {"min", info.minLuminance},
        {"headroom", info.headroom()},
    };
    for (const auto& [key, value] : values) {
        if (value) fields.emplace_back(key, threeDecimals(*value));
    }
    return fields;
}

} // namespace brillex
