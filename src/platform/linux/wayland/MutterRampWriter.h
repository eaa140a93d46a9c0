#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/linux/ramps/RampWriter.h"
#include "platform/linux/wayland/MutterDisplayConfig.h"

namespace brillex::wayland {

// Saved ramps of GNOME's display configuration, each written over a
// connection of its own to the session bus that the file names (its
// display), opened at first use and kept. The file's CRTC is Mutter's id for it.
class MutterRampWriter : public x11::RampWriter {
public:
    static constexpr const char* kName = "mutter";

    std::optional<x11::CrtcRamp> read(const x11::SavedRamp& saved, Result& failure) override;
    Result write(const x11::SavedRamp& saved) override;

private:
    MutterDisplayConfig* open(const std::string& address);

    std::map<std::string, std::unique_ptr<MutterDisplayConfig>> configs_;
};

} // namespace brillex::wayland
