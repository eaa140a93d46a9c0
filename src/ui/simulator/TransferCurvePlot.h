#pragma once

#include <QWidget>

#include <span>
#include <vector>

namespace brillex {

// A display's installed transfer curve: output against input for the red,
// green and blue channels. The scale grows past 1.0 (standard white) when the
// curve does, so a boosted table is drawn rising above the 1.0 line.
class TransferCurvePlot : public QWidget {
    Q_OBJECT
public:
    explicit TransferCurvePlot(QWidget* parent = nullptr);

    // Each channel maps input i / (n - 1) to entry i.
    void setCurves(std::span<const float> red, std::span<const float> green, std::span<const float> blue);

    // The largest output the scale shows: at least 1.0.
    double scaleTop() const;

    QSize sizeHint() const override { return QSize(240, 150); }
    QSize minimumSizeHint() const override { return QSize(120, 80); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<float> channels_[3];
};

} // namespace brillex
