#include "ui/osd/QtOsdPanel.h"

#include <QEasingCurve>

#include <algorithm>
#include <cmath>

#include "ui/osd/BrightnessOSDWidget.h"
#include "ui/shell/GlobalCoordinates.h"

namespace brillex {
namespace {

// The ease-in timing function: a cubic Bézier through (0.42, 0) and (1, 1).
QEasingCurve easeIn() {
    QEasingCurve curve(QEasingCurve::BezierSpline);
    curve.addCubicBezierSegment(QPointF(0.42, 0.0), QPointF(1.0, 1.0), QPointF(1.0, 1.0));
    return curve;
}

} // namespace

QtOsdPanel::QtOsdPanel(Rect contentRect)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      fade_(this, "windowOpacity") {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("Brillex OSD"));
    setGeometry(toQtGeometry(contentRect));
    fade_.setEasingCurve(easeIn());
}

void QtOsdPanel::setContent(const BrightnessOSDView& view) {
    if (content_) {
        content_->setView(view);
        return;
    }
    content_ = new BrightnessOSDWidget(view, this);
    content_->setGeometry(rect());
    content_->show();
}

Size QtOsdPanel::fittingSize() const {
    if (!content_) return Size{};
    const QSize hint = content_->sizeHint();
    return Size{static_cast<double>(hint.width()), static_cast<double>(hint.height())};
}

void QtOsdPanel::setContentSize(Size size) {
    // Keep the bottom-left corner where it is, as a window that grows upwards would.
    Rect current = frame();
    current.width = size.width;
    current.height = size.height;
    setGeometry(toQtGeometry(current));
    // A hidden window hears of its new size only when shown.
    if (content_) content_->setGeometry(rect());
}

Rect QtOsdPanel::frame() const {
    return fromQtGeometry(geometry());
}

void QtOsdPanel::setFrameOrigin(double x, double y) {
    Rect current = frame();
    current.x = x;
    current.y = y;
    setGeometry(toQtGeometry(current));
}

void QtOsdPanel::setAlpha(double alpha) {
    setWindowOpacity(std::isnan(alpha) ? 1.0 : std::clamp(alpha, 0.0, 1.0));
}

void QtOsdPanel::orderFrontRegardless() {
    show();
    raise();
}

void QtOsdPanel::orderOut() {
    hide();
}

void QtOsdPanel::fadeOut(double seconds, std::function<void()> completion) {
    stopFade();
    const unsigned generation = ++fadeGeneration_;
    fade_.setDuration(std::max(0, static_cast<int>(std::lround(std::clamp(seconds, 0.0, 3600.0) * 1000.0))));
    fade_.setStartValue(windowOpacity());
    fade_.setEndValue(0.0);
    // The completion may destroy this panel, and with it the animation, so it
    // runs on a later turn; a panel destroyed before then drops it unrun.
    QObject::disconnect(&fade_, &QAbstractAnimation::finished, this, nullptr);
    connect(&fade_, &QAbstractAnimation::finished, this,
            [this, generation, completion = std::move(completion)] {
                QMetaObject::invokeMethod(this, [this, generation, completion] {
                    if (generation == fadeGeneration_ && completion) completion();
                }, Qt::QueuedConnection);
            });
    fade_.start();
}

void QtOsdPanel::stopFade() {
    ++fadeGeneration_;
    fade_.stop();
}

void QtOsdPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (content_) content_->setGeometry(rect());
}

std::unique_ptr<OsdPanel> QtOsdPanelService::createPanel(Rect contentRect) {
    return std::make_unique<QtOsdPanel>(contentRect);
}

} // namespace brillex
