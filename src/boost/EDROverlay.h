#pragma once

#include <memory>

#include "base/MainLoop.h"
#include "boost/ExtendedRangeOutput.h"
#include "boost/ScreenServices.h"

namespace brillex {

class OverlayWindow;

// The overlay's extended-range view: while it is in a window it presents, ten
// times a second, a 1x1 drawable cleared to its clear colour (components above
// 1.0 put extended-range content on the display).
class EDROverlay {
public:
    static constexpr double framesPerSecond = 10.0;

    // None, after logging "Metal not supported", when there is no device.
    static std::unique_ptr<EDROverlay> create(const Screen& screen, ExtendedRangeOutput& output, MainLoop& loop);
    EDROverlay(const EDROverlay&) = delete;
    EDROverlay& operator=(const EDROverlay&) = delete;

    double maxEDR = 1.0;   // the screen's potential headroom, logged at creation
    double edrValue = 1.0; // the value shown; set together with the clear colour

    void setClearColor(const ClearColor& color);
    const ClearColor& clearColor() const { return clearColor_; }
    // Renders one frame; skipped silently when the window or a drawable is missing.
    void draw();

private:
    friend class OverlayWindow;
    explicit EDROverlay(MainLoop& loop) : loop_(loop) {}
    void moveToWindow(std::weak_ptr<OverlaySurface> surface);

    MainLoop& loop_;
    std::weak_ptr<OverlaySurface> surface_;
    ClearColor clearColor_;
    bool clearColorSet_ = false;
    Timer frameTimer_;
};

} // namespace brillex
