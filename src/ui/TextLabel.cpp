#include "ui/TextLabel.h"

#include <QPainter>

namespace brillex {

TextLabel::TextLabel(const QString& text, TextStyle style, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, color);
}

TextLabel::TextLabel(const QString& text, TextStyle style, QFont::Weight weight, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, weight, color);
}

void TextLabel::setColor(SystemColor color) {
    if (color == color_) return;
    color_ = color;
    Theme::setTextColor(*this, Theme::color(color));
}

void TextLabel::setElided(bool elided) {
    elided_ = elided;
    setSizePolicy(elided ? QSizePolicy::Ignored : QSizePolicy::Preferred, QSizePolicy::Preferred);
    updateGeometry();
}

QSize TextLabel::minimumSizeHint() const {
    if (!elided_) return QLabel::minimumSizeHint();
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("…")) * 2, QLabel::minimumSizeHint().height());
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!elided_) return QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect area = contentsRect();
    painter.drawText(area, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

} // namespace brillex
