#pragma once

#include <memory>

#include "boost/ExtendedRangeOutput.h"
#include "boost/ScreenServices.h"

namespace brillex {

class EDROverlay;

// The 1x1-point, click-through window at a screen's lower-left corner that
// carries the extended-range view while a boost is on.
class OverlayWindow {
public:
    // Made only for a screen: origin at the screen frame's origin, on every
    // space, at the screen-saver level, never taking a click. Not shown yet.
    OverlayWindow(const Screen& screen, ExtendedRangeOutput& output);
    OverlayWindow(const OverlayWindow&) = delete;
    OverlayWindow& operator=(const OverlayWindow&) = delete;
    ~OverlayWindow();

    static OverlayWindowSettings settingsFor(const Screen& screen);

    // The view draws into this window from now on.
    void setContentView(EDROverlay& view);
    void orderFrontRegardless();
    // Orders the window out and closes it; the view stops drawing.
    void close();

private:
    // Shared with the content view only weakly, so a view never draws into a
    // window that is gone.
    std::shared_ptr<OverlaySurface> surface_;
    bool closed_ = false;
};

} // namespace brillex
