#pragma once

#include <map>

#include "platform/linux/ramps/CrtcRamps.h"
#include "platform/linux/x11/X11Connection.h"

namespace brillex::x11 {

// The ramps of an X server's CRTCs over the program's own connection. Which
// CRTC drives an output is asked once and remembered until forget(), which
// the owner calls whenever RandR reports a change, so that a slider move
// costs the ramp write alone.
class XCrtcRamps : public CrtcRamps {
public:
    explicit XCrtcRamps(X11Connection& connection) : connection_(connection) {}

    std::optional<CrtcId> crtcOf(std::uint32_t output) override;
    void forget() { crtcs_.clear(); }
    std::optional<CrtcRamp> read(CrtcId crtc) override { return readCrtcRamp(connection_.display(), crtc); }
    bool write(CrtcId crtc, const CrtcRamp& ramp) override { return writeCrtcRamp(connection_.display(), crtc, ramp); }

private:
    std::optional<CrtcId> askCrtcOf(std::uint32_t output);

    X11Connection& connection_;
    std::map<std::uint32_t, std::optional<CrtcId>> crtcs_;
};

} // namespace brillex::x11
