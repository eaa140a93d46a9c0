#include "platform/linux/wayland/MutterCrtcRamps.h"

namespace brillex::wayland {

std::uint32_t MutterCrtcRamps::displayIdOf(const std::string& connector) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : connector) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash == 0 ? 1 : hash;
}

std::optional<x11::CrtcId> MutterCrtcRamps::crtcOf(std::uint32_t output) {
    const MutterResources* resources = config_.resources();
    if (!resources) return std::nullopt;
    for (const MutterOutput& each : resources->outputs) {
        if (displayIdOf(each.connector) != output || each.crtc < 0) continue;
        if (static_cast<std::size_t>(each.crtc) >= resources->crtcs.size()) return std::nullopt;
        return static_cast<x11::CrtcId>(resources->crtcs[static_cast<std::size_t>(each.crtc)].id);
    }
    return std::nullopt;
}

std::optional<x11::CrtcRamp> MutterCrtcRamps::read(x11::CrtcId crtc) {
    return config_.crtcGamma(static_cast<std::int64_t>(crtc));
}

bool MutterCrtcRamps::write(x11::CrtcId crtc, const x11::CrtcRamp& ramp) {
    const auto id = static_cast<std::int64_t>(crtc);
    auto held = held_.find(crtc);
    if (held == held_.end()) {
        std::optional<x11::CrtcRamp> native = config_.crtcGamma(id);
        if (!native) return false;
        if (*native == ramp) return true;
        held = held_.emplace(crtc, Held{std::move(*native), {}}).first;
    }
    if (!config_.setCrtcGamma(id, ramp)) return false;
    if (ramp == held->second.native) held_.erase(held);
    else held->second.ours = ramp;
    return true;
}

void MutterCrtcRamps::reapply() {
    for (auto& [crtc, held] : held_) {
        const auto id = static_cast<std::int64_t>(crtc);
        if (config_.crtcGamma(id) != held.ours) config_.setCrtcGamma(id, held.ours);
    }
}

} // namespace brillex::wayland
