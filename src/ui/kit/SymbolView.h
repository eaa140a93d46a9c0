#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

#include "ui/kit/Theme.h"

namespace brillex {

// One of the program's symbols (an SVG of its own, compiled in), drawn in a
// single colour at the size of a text style, centred in its box.
class SymbolView : public QWidget {
    Q_OBJECT
public:
    SymbolView(const QString& name, TextStyle style, QColor color, QWidget* parent = nullptr);

    void setSymbol(const QString& name);
    void setColor(QColor color);
    // Draws the symbol as text of this pixel size would be.
    void setFontPixelSize(int pixels);
    // A fixed box width, the symbol centred in it.
    void setBoxWidth(int width);
    // A fixed square box on a rounded background.
    void setBadge(int side, QColor background, double radius);

    const QString& symbol() const { return name_; }
    QColor color() const { return color_; }
    QColor background() const { return background_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // The tinted image of a symbol at the given height in device-independent
    // pixels; null when there is no such symbol.
    static QPixmap render(const QString& name, int height, QColor color, qreal devicePixelRatio);
    static bool exists(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize symbolSize() const;

    QString name_;
    QColor color_;
    int height_ = 12;
    int boxWidth_ = 0;
    int boxHeight_ = 0;
    QColor background_ = Qt::transparent;
    double radius_ = 0.0;
};

} // namespace brillex
