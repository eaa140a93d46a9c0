#include "boost/OverlayWindow.h"

#include "boost/EDROverlay.h"

namespace brillex {

OverlayWindowSettings OverlayWindow::settingsFor(const Screen& screen) {
    OverlayWindowSettings settings;
    settings.contentRect = Rect{screen.frame.x, screen.frame.y, 1.0, 1.0};
    return settings;
}

OverlayWindow::OverlayWindow(const Screen& screen, ExtendedRangeOutput& output)
    : surface_(output.createOverlay(screen.displayId.value_or(0), settingsFor(screen))) {}

OverlayWindow::~OverlayWindow() = default;

void OverlayWindow::setContentView(EDROverlay& view) {
    if (surface_ && !closed_) view.moveToWindow(surface_);
}

void OverlayWindow::orderFrontRegardless() {
    if (surface_ && !closed_) surface_->orderFrontRegardless();
}

void OverlayWindow::close() {
    if (!surface_ || closed_) return;
    closed_ = true;
    surface_->close();
    // Views holding the window weakly see it gone and stop drawing.
    surface_.reset();
}

} // namespace brillex
