#include "ui/simulator/GammaPreviewSwatch.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace brillex {
namespace {

constexpr int rampSteps = 12;
const QColor hues[] = {QColor(0, 122, 255), QColor(52, 199, 89), QColor(255, 149, 0), QColor(255, 59, 48),
                       QColor(175, 82, 222), QColor(240, 240, 235)};

float shown(float value) {
    if (std::isnan(value)) return 0.0f;
    return std::clamp(value, 0.0f, 1.0f);
}

} // namespace

GammaPreviewSwatch::GammaPreviewSwatch(QWidget* parent) : QWidget(parent) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void GammaPreviewSwatch::setTable(std::span<const float> red, std::span<const float> green,
                                  std::span<const float> blue) {
    channels_[0].assign(red.begin(), red.end());
    channels_[1].assign(green.begin(), green.end());
    channels_[2].assign(blue.begin(), blue.end());
    update();
}

float GammaPreviewSwatch::lookUp(std::span<const float> channel, float input) {
    if (channel.empty()) return input;
    if (channel.size() == 1) return channel[0];
    const float position = std::clamp(std::isnan(input) ? 0.0f : input, 0.0f, 1.0f) * (channel.size() - 1);
    const auto below = static_cast<std::size_t>(position);
    if (below + 1 >= channel.size()) return channel.back();
    const float fraction = position - below;
    return channel[below] + (channel[below + 1] - channel[below]) * fraction;
}

QColor GammaPreviewSwatch::mapped(QColor original) const {
    return QColor::fromRgbF(shown(lookUp(channels_[0], original.redF())), shown(lookUp(channels_[1], original.greenF())),
                            shown(lookUp(channels_[2], original.blueF())));
}

void GammaPreviewSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int patches = rampSteps + static_cast<int>(std::size(hues));
    const double patchWidth = static_cast<double>(width()) / patches;
    const double rowHeight = height() / 2.0;
    for (int i = 0; i < patches; ++i) {
        QColor original;
        if (i < rampSteps) {
            const float level = static_cast<float>(i) / (rampSteps - 1);
            original = QColor::fromRgbF(level, level, level);
        } else {
            original = hues[i - rampSteps];
        }
        const QRectF above(i * patchWidth, 0, patchWidth + 1, rowHeight);
        painter.fillRect(above, original);
        painter.fillRect(above.translated(0, rowHeight), mapped(original));
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace brillex
