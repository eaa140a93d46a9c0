#include "ui/shell/QtOverlayWindow.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Log.h"
#include "ui/shell/GlobalCoordinates.h"

namespace brillex {
namespace {

float standardRange(double component) {
    if (std::isnan(component)) return 0.0f;
    return static_cast<float>(std::clamp(component, 0.0, 1.0));
}

} // namespace

QtOverlayWindow::QtOverlayWindow(const OverlayWindowSettings& settings, std::unique_ptr<OverlaySurface> mirrored)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      mirrored_(std::move(mirrored)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground, !settings.opaque);
    setAttribute(Qt::WA_TransparentForMouseEvents, settings.ignoresMouseEvents);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Brillex overlay"));
    setGeometry(toQtGeometry(settings.contentRect));
}

void QtOverlayWindow::orderFrontRegardless() {
    if (mirrored_) mirrored_->orderFrontRegardless();
    show();
    raise();
}

void QtOverlayWindow::setClearColor(const ClearColor& color) {
    if (mirrored_) mirrored_->setClearColor(color);
    shown_ = QColor::fromRgbF(standardRange(color.red), standardRange(color.green), standardRange(color.blue),
                              standardRange(color.alpha));
}

bool QtOverlayWindow::presentFrame() {
    const bool mirroredPresented = !mirrored_ || mirrored_->presentFrame();
    // A window that is not on screen has nothing to draw into.
    if (!QWidget::isVisible()) return false;
    // A standard-range window keeps what it shows; only a new colour needs
    // drawing, so unchanged frames cost no trip to the window system.
    if (painted_ != shown_) update();
    return mirroredPresented;
}

void QtOverlayWindow::close() {
    if (mirrored_) mirrored_->close();
    hide();
    QWidget::close();
}

void QtOverlayWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), shown_);
    painted_ = shown_;
}

bool QtExtendedRangeOutput::hasDevice() const {
    return mirrored_ ? mirrored_->hasDevice() : true;
}

std::unique_ptr<OverlaySurface> QtExtendedRangeOutput::createOverlay(DisplayId display,
                                                                     const OverlayWindowSettings& settings) {
    std::unique_ptr<OverlaySurface> mirrored;
    if (mirrored_) {
        mirrored = mirrored_->createOverlay(display, settings);
        if (!mirrored) return nullptr;
    }
    logLine("Overlay for display " + std::to_string(display) +
            ": this desktop has no extended-range output; the overlay window shows standard range only");
    return std::make_unique<QtOverlayWindow>(settings, std::move(mirrored));
}

} // namespace brillex
