#include "ui/kit/SymbolView.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <cmath>
#include <memory>

namespace brillex {

namespace {

// Symbols are drawn a little taller than the text they stand next to.
constexpr double kSymbolScale = 1.2;

QSvgRenderer* rendererFor(const QString& name) {
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto renderer = std::make_shared<QSvgRenderer>(":/symbols/" + name + ".svg");
        it = cache.insert(name, renderer->isValid() ? renderer : nullptr);
    }
    return it->get();
}

int heightFor(int fontPixels) { return static_cast<int>(std::lround(fontPixels * kSymbolScale)); }

} // namespace

SymbolView::SymbolView(const QString& name, TextStyle style, QColor color, QWidget* parent)
    : QWidget(parent), name_(name), color_(color), height_(heightFor(Theme::pixelSize(style))) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbol(const QString& name) {
    if (name == name_) return;
    name_ = name;
    updateGeometry();
    update();
}

void SymbolView::setColor(QColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void SymbolView::setFontPixelSize(int pixels) {
    height_ = heightFor(pixels);
    updateGeometry();
    update();
}

void SymbolView::setBoxWidth(int width) {
    boxWidth_ = width;
    updateGeometry();
}

void SymbolView::setBadge(int side, QColor background, double radius) {
    boxWidth_ = side;
    boxHeight_ = side;
    background_ = background;
    radius_ = radius;
    updateGeometry();
    update();
}

bool SymbolView::exists(const QString& name) { return rendererFor(name) != nullptr; }

QSize SymbolView::symbolSize() const {
    QSvgRenderer* renderer = rendererFor(name_);
    if (!renderer) return QSize(height_, height_);
    const QSizeF box = renderer->viewBoxF().size();
    const int width = box.height() > 0 ? static_cast<int>(std::lround(height_ * box.width() / box.height())) : height_;
    return QSize(width, height_);
}

QSize SymbolView::sizeHint() const {
    QSize size = symbolSize();
    if (boxWidth_ > 0) size.setWidth(boxWidth_);
    if (boxHeight_ > 0) size.setHeight(boxHeight_);
    return size;
}

QPixmap SymbolView::render(const QString& name, int height, QColor color, qreal devicePixelRatio) {
    QSvgRenderer* renderer = rendererFor(name);
    if (!renderer || height <= 0) return {};
    const QSizeF box = renderer->viewBoxF().size();
    const double width = box.height() > 0 ? height * box.width() / box.height() : height;
    QPixmap pixmap(QSize(static_cast<int>(std::ceil(width * devicePixelRatio)),
                         static_cast<int>(std::ceil(height * devicePixelRatio))));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, QRectF(0, 0, width, height));
    // Keep the artwork's coverage, replace its colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(0, 0, width, height), color);
    return pixmap;
}

void SymbolView::paintEvent(QPaintEvent*) {
    Theme::paintControl(*this, [this](QPainter& painter) {
        if (background_.alpha() > 0) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(background_);
            painter.drawRoundedRect(QRectF(rect()), radius_, radius_);
        }
        const qreal ratio = devicePixelRatioF();
        const QPixmap pixmap = render(name_, height_, color_, ratio);
        if (pixmap.isNull()) return;
        // Centred on whole device pixels: the artwork's strokes are drawn on
        // the pixel grid, and a half-pixel shift would blur every one of them.
        const QSizeF size = pixmap.deviceIndependentSize();
        const auto snapped = [ratio](double offset) { return std::floor(offset * ratio) / ratio; };
        painter.drawPixmap(QPointF(snapped((width() - size.width()) / 2.0), snapped((height() - size.height()) / 2.0)),
                           pixmap);
    });
}

} // namespace brillex
