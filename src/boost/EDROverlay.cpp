#include "boost/EDROverlay.h"

#include "base/Format.h"
#include "base/Log.h"

namespace brillex {

std::unique_ptr<EDROverlay> EDROverlay::create(const Screen& screen, ExtendedRangeOutput& output, MainLoop& loop) {
    if (!output.hasDevice()) {
        logLine("Metal not supported");
        return nullptr;
    }
    std::unique_ptr<EDROverlay> view(new EDROverlay(loop));
    view->maxEDR = screen.maxPotentialEDR;
    logLine("EDR setup: maxEDR=" + formatNumber(view->maxEDR));
    return view;
}

void EDROverlay::setClearColor(const ClearColor& color) {
    clearColor_ = color;
    clearColorSet_ = true;
    if (auto surface = surface_.lock()) surface->setClearColor(color);
}

void EDROverlay::draw() {
    // A frame that cannot get a drawable or a buffer is simply skipped.
    if (auto surface = surface_.lock()) {
        (void)surface->presentFrame();
    } else {
        frameTimer_.invalidate(); // out of its window for good
    }
}

void EDROverlay::moveToWindow(std::weak_ptr<OverlaySurface> surface) {
    surface_ = std::move(surface);
    if (clearColorSet_) {
        if (auto window = surface_.lock()) window->setClearColor(clearColor_);
    }
    frameTimer_ = loop_.schedule(1.0 / framesPerSecond, true, [this] { draw(); });
}

} // namespace brillex
