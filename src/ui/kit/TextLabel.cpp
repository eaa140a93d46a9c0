#include "ui/kit/TextLabel.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brillex {

TextLabel::TextLabel(const QString& text, TextStyle style, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, color);
    measureGlyphRoom();
}

TextLabel::TextLabel(const QString& text, TextStyle style, QFont::Weight weight, SystemColor color, QWidget* parent)
    : QLabel(text, parent), color_(color) {
    Theme::apply(*this, style, weight, color);
    measureGlyphRoom();
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

// One line is as tall as the label's own font makes it. A fallback face
// (Noto CJK for Han and kana) draws its glyphs within that line but would
// lend it its own, much taller, ascent and descent: every line in Japanese
// would stand taller than in English.
QSize TextLabel::withLineHeight(QSize size) const {
    if (!wordWrap()) {
        const QMargins margins = contentsMargins();
        // Unrounded, as the label lays its text out.
        const int line = static_cast<int>(std::ceil(QFontMetricsF(font()).height()));
        size.setHeight(line + margins.top() + margins.bottom() + 2 * margin());
    }
    return size + QSize(0, glyphTop_ + glyphBottom_);
}

QSize TextLabel::sizeHint() const { return withLineHeight(QLabel::sizeHint()); }

QSize TextLabel::minimumSizeHint() const {
    const QSize line = withLineHeight(QLabel::minimumSizeHint());
    if (!elided_) return line;
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("…")) * 2, line.height());
}

void TextLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) measureGlyphRoom();
}

// At small sizes accented capitals and descenders reach past the font's
// ascent and descent; a label exactly one line tall would cut them ("Écran"
// shows as "Ecran"). The label grows by what they need and draws its line
// clear of both edges, leaving the contents margins to its owner.
void TextLabel::measureGlyphRoom() {
    const QFontMetrics metrics(font());
    const QRect ink = metrics.tightBoundingRect(QStringLiteral("ÉÅÊÖÇgjpyÿ"));
    glyphTop_ = std::max(0, -ink.top() - metrics.ascent());
    glyphBottom_ = std::max(0, ink.bottom() + 1 - metrics.descent());
    updateGeometry();
}

void TextLabel::paintEvent(QPaintEvent* event) {
    if (wordWrap()) return QLabel::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    const QRect area = contentsRect().adjusted(0, glyphTop_, 0, -glyphBottom_);
    painter.drawText(area, int(alignment()),
                     elided_ ? fontMetrics().elidedText(text(), Qt::ElideRight, area.width()) : text());
}

} // namespace brillex
