#include "keys/BrightnessOSD.h"

#include <algorithm>
#include <cmath>

#include "base/Port.h"

namespace brillex {
namespace {

// Fits a level into the bar; a level that is not a number shows a full bar.
double clampLevel(double level) {
    level = std::min(level, 1.0);
    if (std::isnan(level)) return 1.0;
    return std::max(level, 0.0);
}

} // namespace

BrightnessOSD& BrightnessOSD::shared() {
    static auto* osd = new BrightnessOSD(Port<MainLoop>::get(), Port<ScreenServices>::get(), Port<OsdPanelService>::get());
    return *osd;
}

BrightnessOSD::BrightnessOSD(MainLoop& loop, ScreenServices& screens, OsdPanelService& panels)
    : loop_(loop), screens_(screens), panels_(panels) {}

BrightnessOSD::~BrightnessOSD() = default;

void BrightnessOSD::show(double level, bool isXDR) {
    tasks_.post([this, level, isXDR] { present(level, isXDR); });
}

void BrightnessOSD::showXDR(int currentNits, int maxNits) {
    // In double precision: the difference of two ints may not fit an int.
    const double level = (currentNits - baseNits) / (maxNits - baseNits);
    tasks_.post([this, level] { present(clampLevel(level), true); });
}

void BrightnessOSD::present(double level, bool isXDR) {
    hideTimer_.invalidate();
    if (!window_) createWindow();
    // A key pressed while the panel fades out keeps it: the fade stops and the
    // panel is fully opaque again.
    if (fading_) {
        window_->stopFade();
        window_->setAlpha(1.0);
        fading_ = false;
    }
    // Only the system brightness may come unclamped; it belongs in the bar too.
    const BrightnessOSDView view{clampLevel(level), isXDR};
    this->level = view.level;
    this->isXDR = view.isXDR;
    window_->setContent(view);
    window_->setContentSize(window_->fittingSize());
    placeWindow();
    if (!window_->isVisible()) {
        window_->setAlpha(1.0);
        window_->orderFrontRegardless();
    }
    if (!isVisible) isVisible = true;
    hideTimer_ = loop_.schedule(hideDelay, false, [this] { hide(); });
}

void BrightnessOSD::createWindow() {
    window_ = panels_.createPanel(Rect{0.0, 0.0, 280.0, 56.0});
}

void BrightnessOSD::placeWindow() {
    // Centred on the usable area of the main screen, 100 points above its bottom
    // edge; without a main screen the panel stays where it was.
    const auto screen = screens_.mainScreen();
    if (!screen) return;
    const Rect& visible = screen->visibleFrame;
    const double midX = visible.x + visible.width * 0.5;
    window_->setFrameOrigin(midX - window_->frame().width * 0.5, visible.y + 100.0);
}

void BrightnessOSD::hide() {
    if (!window_ || fading_) return;
    fading_ = true;
    window_->fadeOut(fadeDuration, [this] { fadeFinished(); });
}

void BrightnessOSD::fadeFinished() {
    fading_ = false;
    // The next show builds a new panel, with a new entrance.
    auto window = std::move(window_);
    window->orderOut();
    window->setAlpha(1.0);
    isVisible = false;
}

} // namespace brillex
