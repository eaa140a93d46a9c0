#pragma once

#include "platform/linux/CrtcRamps.h"
#include "platform/linux/X11Connection.h"

namespace brillex::x11 {

// The ramps of an X server's CRTCs over the program's own connection.
class XCrtcRamps : public CrtcRamps {
public:
    explicit XCrtcRamps(X11Connection& connection) : connection_(connection) {}

    std::optional<CrtcId> crtcOf(std::uint32_t output) override;
    std::optional<CrtcRamp> read(CrtcId crtc) override { return readCrtcRamp(connection_.display(), crtc); }
    bool write(CrtcId crtc, const CrtcRamp& ramp) override { return writeCrtcRamp(connection_.display(), crtc, ramp); }

private:
    X11Connection& connection_;
};

} // namespace brillex::x11
