#pragma once

#include <map>
#include <set>

#include "platform/linux/ramps/CrtcRamps.h"
#include "platform/linux/wayland/WaylandConnection.h"

struct zwlr_gamma_control_v1;

namespace brillex::wayland {

// The gamma ramps of a wlroots compositor's outputs, through its gamma-control
// protocol. Each output is its own CRTC. The protocol cannot read a ramp back,
// so an output's native ramp is taken as the identity: the lift is applied to
// it, and writing it back gives up the control, whereupon the compositor
// restores the ramp it had itself. It does so too when the program dies, even
// by SIGKILL, so nothing needs guarding here.
//
// A control is asked for only when a boost reads or changes a ramp (asking
// takes the output away from any other gamma tool for that while).
class WlrGammaRamps : public x11::CrtcRamps {
public:
    explicit WlrGammaRamps(WaylandConnection& connection) : connection_(connection) {}
    ~WlrGammaRamps() override;

    std::optional<x11::CrtcId> crtcOf(std::uint32_t output) override;
    std::optional<x11::CrtcRamp> read(x11::CrtcId crtc) override;
    bool write(x11::CrtcId crtc, const x11::CrtcRamp& ramp) override;

    // The ramp an output shows while no client controls it.
    static x11::CrtcRamp identity(std::size_t size);

    struct Control {
        zwlr_gamma_control_v1* control = nullptr;
        std::uint32_t size = 0;
        bool failed = false;
        bool answered = false;
    };

private:
    // The output's control, asked for when none is held; null when refused.
    Control* control(std::uint32_t output);
    void release(std::uint32_t output);
    void report(std::uint32_t output, const std::string& why);

    WaylandConnection& connection_;
    std::map<std::uint32_t, Control> controls_;
    std::set<std::uint32_t> reported_;
};

} // namespace brillex::wayland
