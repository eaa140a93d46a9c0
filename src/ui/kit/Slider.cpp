#include "ui/kit/Slider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "ui/kit/Theme.h"

namespace brillex {

namespace {
constexpr double kKnob = 16.0;
constexpr double kTrackHeight = 4.0;
} // namespace

Slider::Slider(double minimum, double maximum, double step, QColor tint, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(std::max(minimum, maximum)), step_(std::max(0.0, step)),
      tint_(tint), value_(minimum) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

// Values from the model may lie outside the range (a stored minute count
// above the slider's end); the knob then sits at the nearest end.
void Slider::setValue(double value) {
    const double shown = std::isnan(value) ? minimum_ : std::clamp(value, minimum_, maximum_);
    if (shown == value_) return;
    value_ = shown;
    update();
}

double Slider::snapped(double value) const {
    value = std::clamp(value, minimum_, maximum_);
    if (step_ <= 0.0) return value;
    return std::min(maximum_, minimum_ + std::round((value - minimum_) / step_) * step_);
}

QRectF Slider::trackRect() const {
    return QRectF(kKnob / 2.0, (height() - kTrackHeight) / 2.0, std::max(0.0, width() - kKnob), kTrackHeight);
}

double Slider::valueAt(double x) const {
    const QRectF track = trackRect();
    if (track.width() <= 0.0) return minimum_;
    const double fraction = std::clamp((x - track.left()) / track.width(), 0.0, 1.0);
    return snapped(minimum_ + fraction * (maximum_ - minimum_));
}

void Slider::userMoved(double value) {
    if (value == value_) return;
    value_ = value;
    update();
    Q_EMIT moved(value);
}

void Slider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    dragging_ = true;
    userMoved(valueAt(event->position().x()));
}

void Slider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) userMoved(valueAt(event->position().x()));
}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

void Slider::keyPressEvent(QKeyEvent* event) {
    const double increment = step_ > 0.0 ? step_ : (maximum_ - minimum_) / 20.0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down: userMoved(snapped(value_ - increment)); break;
    case Qt::Key_Right:
    case Qt::Key_Up: userMoved(snapped(value_ + increment)); break;
    default: QWidget::keyPressEvent(event);
    }
}

// Enabled in its tint; disabled, the whole control fades as the platform's
// do. The knob is opaque: the fill ends under it, never shows through it.
void Slider::paintEvent(QPaintEvent*) {
    Theme::paintControl(*this, [this](QPainter& painter) {
        const QColor text = palette().color(QPalette::Active, QPalette::WindowText);
        const QRectF track = trackRect();
        const double fraction = maximum_ > minimum_ ? (value_ - minimum_) / (maximum_ - minimum_) : 0.0;
        const double knobX = track.left() + fraction * track.width();

        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::withOpacity(text, 0.12));
        painter.drawRoundedRect(track, kTrackHeight / 2.0, kTrackHeight / 2.0);
        painter.setBrush(tint_);
        painter.drawRoundedRect(QRectF(track.left(), track.top(), knobX - track.left(), kTrackHeight),
                                kTrackHeight / 2.0, kTrackHeight / 2.0);

        const QRectF knob(knobX - kKnob / 2.0, (height() - kKnob) / 2.0, kKnob, kKnob);
        painter.setBrush(Theme::withOpacity(Qt::black, 0.18));
        painter.drawEllipse(knob.translated(0, 0.5));
        painter.setBrush(QColor(Qt::white));
        painter.setPen(QPen(Theme::withOpacity(text, 0.15), 0.5));
        painter.drawEllipse(knob.adjusted(0.5, 0.5, -0.5, -0.5));
    });
}

} // namespace brillex
