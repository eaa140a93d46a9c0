#pragma once

#include <QWidget>

#include <span>
#include <vector>

namespace brillex {

// A strip of desktop colours (a grey ramp and a few hues) above the same
// colours passed through a display's transfer table, as that display shows
// them. Outputs above 1.0 are drawn at full white here: this screen has no
// headroom to show them brighter.
class GammaPreviewSwatch : public QWidget {
    Q_OBJECT
public:
    explicit GammaPreviewSwatch(QWidget* parent = nullptr);

    void setTable(std::span<const float> red, std::span<const float> green, std::span<const float> blue);

    // `input` (0 to 1, as stored) through a channel: linear between entries.
    static float lookUp(std::span<const float> channel, float input);
    // The shown colour for an original one.
    QColor mapped(QColor original) const;

    QSize sizeHint() const override { return QSize(240, 44); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<float> channels_[3];
};

} // namespace brillex
