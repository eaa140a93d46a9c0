#include "ui/simulator/TransferCurvePlot.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace brillex {
namespace {

constexpr double leftGutter = 30.0;
constexpr double bottomGutter = 16.0;
constexpr double padding = 6.0;

// Entries that are not numbers or are negative sit on the axis.
double plotted(float value) {
    if (!std::isfinite(value)) return 0.0;
    return std::max(0.0, static_cast<double>(value));
}

QString axisLabel(double value) { return QString::number(value, 'f', 1); }

} // namespace

TransferCurvePlot::TransferCurvePlot(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TransferCurvePlot::setCurves(std::span<const float> red, std::span<const float> green,
                                  std::span<const float> blue) {
    channels_[0].assign(red.begin(), red.end());
    channels_[1].assign(green.begin(), green.end());
    channels_[2].assign(blue.begin(), blue.end());
    update();
}

double TransferCurvePlot::scaleTop() const {
    double top = 1.0;
    for (const auto& channel : channels_) {
        for (float value : channel) {
            if (std::isfinite(value)) top = std::max(top, static_cast<double>(value));
        }
    }
    // Round up to a tenth, with room above the highest point.
    return std::ceil(std::min(top, 1e6) * 1.05 * 10.0) / 10.0;
}

void TransferCurvePlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(leftGutter, padding, width() - leftGutter - padding, height() - padding - bottomGutter);
    if (area.width() <= 0 || area.height() <= 0) return;
    const double top = scaleTop();
    auto yOf = [&](double value) { return area.bottom() - value / top * area.height(); };

    painter.fillRect(area, QColor(24, 24, 28));
    // Above standard white: the extended range.
    const double white = yOf(1.0);
    if (top > 1.0) painter.fillRect(QRectF(area.left(), area.top(), area.width(), white - area.top()), QColor(70, 45, 10));

    QFont small = font();
    small.setPixelSize(9);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRectF labelColumn(0, 0, leftGutter - 4, 10);
    painter.drawText(labelColumn.translated(0, area.bottom() - 5), Qt::AlignRight | Qt::AlignVCenter, axisLabel(0.0));
    painter.drawText(labelColumn.translated(0, white - 5), Qt::AlignRight | Qt::AlignVCenter, axisLabel(1.0));
    if (top > 1.1) painter.drawText(labelColumn.translated(0, area.top() - 5), Qt::AlignRight | Qt::AlignVCenter, axisLabel(top));
    painter.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), bottomGutter - 2), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("input 0"));
    painter.drawText(QRectF(area.left(), area.bottom() + 2, area.width(), bottomGutter - 2), Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("1"));

    QPen whiteLine(QColor(200, 200, 200), 1.0, Qt::DashLine);
    painter.setPen(whiteLine);
    painter.drawLine(QPointF(area.left(), white), QPointF(area.right(), white));

    // Added light: where the channels coincide the curve is white, where
    // they part their own colours show.
    painter.setCompositionMode(QPainter::CompositionMode_Plus);
    const QColor colors[3] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)};
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    for (int c = 0; c < 3; ++c) {
        const auto& channel = channels_[c];
        if (channel.size() < 2) continue;
        QPainterPath path;
        const double last = static_cast<double>(channel.size() - 1);
        for (std::size_t i = 0; i < channel.size(); ++i) {
            const QPointF point(area.left() + i / last * area.width(), yOf(plotted(channel[i])));
            if (i == 0) path.moveTo(point);
            else path.lineTo(point);
        }
        painter.strokePath(path, QPen(colors[c], 1.6));
    }
}

} // namespace brillex
