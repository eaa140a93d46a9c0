#include "ui/osd/BrightnessOSDWidget.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "ui/osd/SpringCurve.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"

namespace brillex {
namespace {

constexpr double horizontalMargin = 20.0;
constexpr double verticalMargin = 16.0;
constexpr double spacing = 14.0;
constexpr double symbolWidth = 24.0;
constexpr double barWidth = 160.0;
constexpr double barHeight = 6.0;
constexpr double percentWidth = 50.0;
constexpr double percentFontSize = 13.0;
constexpr double cornerRadius = 16.0;
constexpr double borderWidth = 0.5;
constexpr double rowWidth = symbolWidth + spacing + barWidth + spacing + percentWidth;

// The system font at a size of its own; the desktop has no rounded design of
// it, so the percentage uses the plain one.
QFont systemFont(double pixels, QFont::Weight weight) {
    QFont font = Theme::font(TextStyle::body, weight);
    font.setPixelSize(static_cast<int>(pixels));
    return font;
}

QFont percentFont() { return systemFont(percentFontSize, QFont::DemiBold); }

// The sun is set in a font of size 20, and symbols are drawn 1.2 times their
// font's size: as tall as its frame is wide.
constexpr int symbolHeight = 24;

double rowHeight() {
    return std::max({static_cast<double>(symbolHeight), QFontMetricsF(percentFont()).height(), barHeight});
}

// A level the bar can draw: non-numbers and values outside 0...1 stay inside.
double barLevel(double level) {
    if (std::isnan(level)) return 0.0;
    return std::clamp(level, 0.0, 1.0);
}

QColor tint(bool isXDR) {
    return isXDR ? Theme::color(SystemColor::orange) : QColor(Qt::white);
}

QColor white(double opacity) {
    QColor color(Qt::white);
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

void fillCapsule(QPainter& painter, const QRectF& rect, const QBrush& brush) {
    if (rect.width() <= 0.0) return;
    const double radius = std::min(rect.width(), rect.height()) / 2.0;
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    painter.fillPath(path, brush);
}

} // namespace

BrightnessOSDWidget::BrightnessOSDWidget(const BrightnessOSDView& view, QWidget* parent)
    : QWidget(parent), view_(view) {
    setAttribute(Qt::WA_TranslucentBackground);
    const double settle = springSettlingTime(springResponse, springDamping);
    entrance_.setStartValue(0.0);
    entrance_.setEndValue(settle);
    entrance_.setDuration(static_cast<int>(std::ceil(settle * 1000.0)));
    connect(&entrance_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        appearance_ = springPosition(value.toDouble(), springResponse, springDamping);
        update();
    });
    connect(&entrance_, &QVariantAnimation::finished, this, [this] {
        appearance_ = 1.0;
        update();
    });
}

void BrightnessOSDWidget::setView(const BrightnessOSDView& view) {
    if (view == view_) return;
    view_ = view;
    update();
}

QSize BrightnessOSDWidget::sizeHint() const {
    const double width = horizontalMargin * 2.0 + rowWidth;
    const double height = verticalMargin * 2.0 + rowHeight();
    return QSize(static_cast<int>(std::ceil(width)), static_cast<int>(std::ceil(height)));
}

void BrightnessOSDWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (appeared_) return;
    appeared_ = true;
    entrance_.start();
}

void BrightnessOSDWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The entrance scales about the centre and fades in; the spring's
    // overshoot shows in the scale only.
    const QRectF bounds = rect();
    const double scale = 0.8 + 0.2 * appearance_;
    painter.translate(bounds.center());
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    painter.setOpacity(std::clamp(appearance_, 0.0, 1.0));

    QPainterPath plate;
    plate.addRoundedRect(bounds, cornerRadius, cornerRadius);
    painter.fillPath(plate, QColor::fromRgbF(0.0f, 0.0f, 0.0f, 0.9f));
    // The border lies inside the plate's edge.
    const double inset = borderWidth / 2.0;
    QPainterPath border;
    border.addRoundedRect(bounds.adjusted(inset, inset, -inset, -inset), cornerRadius - inset, cornerRadius - inset);
    painter.strokePath(border, QPen(white(0.15), borderWidth));

    paintRow(painter, bounds.adjusted(horizontalMargin, verticalMargin, -horizontalMargin, -verticalMargin));
}

void BrightnessOSDWidget::paintRow(QPainter& painter, const QRectF& row) const {
    const QColor color = tint(view_.isXDR);

    const QRectF symbolFrame(row.left(), row.top(), symbolWidth, row.height());
    const QPixmap symbol = SymbolView::render(view_.isXDR ? QStringLiteral("sun.max.fill") : QStringLiteral("sun.max"),
                                              symbolHeight, color, painter.device()->devicePixelRatioF());
    const QSizeF symbolSize = symbol.deviceIndependentSize();
    painter.drawPixmap(QPointF(symbolFrame.center().x() - symbolSize.width() / 2.0,
                               symbolFrame.center().y() - symbolSize.height() / 2.0),
                       symbol);

    const double barLeft = symbolFrame.right() + spacing;
    const QRectF track(barLeft, row.center().y() - barHeight / 2.0, barWidth, barHeight);
    fillCapsule(painter, track, white(0.15));
    const QRectF fill(track.left(), track.top(), barLevel(view_.level) * barWidth, barHeight);
    QLinearGradient gradient(fill.topLeft(), fill.topRight());
    gradient.setColorAt(0.0, view_.isXDR ? Theme::color(SystemColor::orange) : white(0.9));
    gradient.setColorAt(1.0, view_.isXDR ? Theme::color(SystemColor::yellow) : QColor(Qt::white));
    fillCapsule(painter, fill, gradient);

    const QRectF percentRect(track.right() + spacing, row.top(), percentWidth, row.height());
    painter.setFont(percentFont());
    painter.setPen(color);
    painter.drawText(percentRect, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(view_.text()));
}

} // namespace brillex
