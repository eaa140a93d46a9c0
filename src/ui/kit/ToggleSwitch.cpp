#include "ui/kit/ToggleSwitch.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "ui/kit/Theme.h"

namespace brillex {

ToggleSwitch::ToggleSwitch(Size size, QWidget* parent)
    : QAbstractButton(parent), size_(size), tint_(Theme::color(SystemColor::blue)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT switched(!on_); });
}

void ToggleSwitch::setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    update();
}

void ToggleSwitch::setTint(QColor tint) {
    tint_ = tint;
    update();
}

QSize ToggleSwitch::sizeHint() const { return size_ == Size::small ? QSize(32, 18) : QSize(26, 15); }

// Disabled, on and off alike, the whole switch fades as the platform's do.
void ToggleSwitch::paintEvent(QPaintEvent*) {
    Theme::paintControl(*this, [this](QPainter& painter) {
        const QSizeF size = sizeHint();
        const QRectF track(QPointF((width() - size.width()) / 2.0, (height() - size.height()) / 2.0), size);
        const double radius = track.height() / 2.0;
        const QColor off = Theme::withOpacity(palette().color(QPalette::Active, QPalette::WindowText), 0.25);
        painter.setPen(Qt::NoPen);
        painter.setBrush(on_ ? tint_ : off);
        painter.drawRoundedRect(track, radius, radius);
        if (isDown()) {
            painter.setBrush(Theme::withOpacity(Qt::black, 0.08));
            painter.drawRoundedRect(track, radius, radius);
        }

        const double inset = 1.5;
        const double knob = track.height() - 2 * inset;
        const double x = on_ ? track.right() - inset - knob : track.left() + inset;
        const QRectF knobRect(x, track.top() + inset, knob, knob);
        painter.setBrush(Theme::withOpacity(Qt::black, 0.15));
        painter.drawEllipse(knobRect.translated(0, 0.5));
        painter.setBrush(QColor(Qt::white));
        painter.setPen(QPen(Theme::withOpacity(Qt::black, 0.12), 0.5));
        painter.drawEllipse(knobRect);
    });
}

} // namespace brillex
