#pragma once

#include "boost/ExtendedRangeOutput.h"

namespace brillex::macos {

// The overlays as AppKit windows whose content is a Metal view cleared to an
// extended-range value in extended linear Display P3; the core's frame timer
// asks for each frame.
class MacOverlays : public ExtendedRangeOutput {
public:
    MacOverlays();
    MacOverlays(const MacOverlays&) = delete;
    MacOverlays& operator=(const MacOverlays&) = delete;
    ~MacOverlays() override;

    bool hasDevice() const override;
    std::unique_ptr<OverlaySurface> createOverlay(DisplayId display, const OverlayWindowSettings& settings) override;

private:
    struct Device;
    std::unique_ptr<Device> device_;
};

} // namespace brillex::macos
