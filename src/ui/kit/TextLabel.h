#pragma once

#include <QLabel>

#include "ui/kit/Theme.h"

namespace brillex {

// A text in one of the named text styles and colours. An eliding label keeps
// to one line and shortens its text with an ellipsis when space is short.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    TextLabel(const QString& text, TextStyle style, SystemColor color, QWidget* parent = nullptr);
    TextLabel(const QString& text, TextStyle style, QFont::Weight weight, SystemColor color, QWidget* parent = nullptr);

    void setColor(SystemColor color);
    SystemColor color() const { return color_; }
    void setElided(bool elided);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QSize withLineHeight(QSize size) const;
    void measureGlyphRoom();

    SystemColor color_;
    bool elided_ = false;
    // Room above and below the font's line for glyphs that reach past it.
    int glyphTop_ = 0;
    int glyphBottom_ = 0;
};

} // namespace brillex
