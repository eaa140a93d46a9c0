#include "ui/TextLabel.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace brillex {

TextLabel::TextLabel(const QString& text, TextStyle style, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, color);
    reserveGlyphRoom();
}

TextLabel::TextLabel(const QString& text, TextStyle style, QFont::Weight weight, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, weight, color);
    reserveGlyphRoom();
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

void TextLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) reserveGlyphRoom();
}

// At small sizes accented capitals and descenders reach past the font's
// ascent and descent; a label exactly one line tall would cut them ("Écran"
// shows as "Ecran"). The text is centred on the line, so the margins lift it
// clear of both edges.
void TextLabel::reserveGlyphRoom() {
    const QFontMetrics metrics(font());
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("ÉÅÊÖÇgjpyÿ"));
    const int top = std::max(0, -ink.top() - metrics.ascent());
    const int bottom = std::max(0, ink.bottom() + 1 - metrics.descent());
    setContentsMargins(0, top, 0, bottom);
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (!elided_) return QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect area = contentsRect();
    painter.drawText(area, int(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
}

} // namespace brillex
