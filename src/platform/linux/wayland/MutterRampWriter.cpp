#include "platform/linux/wayland/MutterRampWriter.h"

namespace brillex::wayland {

MutterDisplayConfig* MutterRampWriter::open(const std::string& address) {
    auto [it, added] = configs_.try_emplace(address);
    if (added) {
        auto opened = MutterDisplayConfig::open(address);
        if (auto* config = std::get_if<std::unique_ptr<MutterDisplayConfig>>(&opened)) it->second = std::move(*config);
    }
    return it->second.get();
}

std::optional<x11::CrtcRamp> MutterRampWriter::read(const x11::SavedRamp& saved, Result& failure) {
    MutterDisplayConfig* config = open(saved.displayName);
    if (!config) {
        failure = Result::unreachable;
        return std::nullopt;
    }
    std::optional<x11::CrtcRamp> ramp = config->crtcGamma(static_cast<std::int64_t>(saved.crtc));
    if (!ramp) failure = Result::noSuchCrtc;
    return ramp;
}

x11::RampWriter::Result MutterRampWriter::write(const x11::SavedRamp& saved) {
    MutterDisplayConfig* config = open(saved.displayName);
    if (!config) return Result::unreachable;
    const auto crtc = static_cast<std::int64_t>(saved.crtc);
    if (config->setCrtcGamma(crtc, saved.ramp)) return Result::written;
    const MutterResources* resources = config->resources();
    const MutterCrtc* found = resources ? resources->crtcWithId(crtc) : nullptr;
    if (!found || found->gammaSize == 0) return Result::noSuchCrtc;
    return found->gammaSize != saved.ramp.size() ? Result::otherSize : Result::refused;
}

} // namespace brillex::wayland
