#pragma once

#include <QVariantAnimation>
#include <QWidget>

#include "keys/BrightnessOSDView.h"

namespace brillex {

// Draws a BrightnessOSDView: a dark rounded plate with a sun, a level bar and
// the percentage. The first time it is shown it springs in from 80 % scale and
// full transparency; later content changes redraw in place.
class BrightnessOSDWidget : public QWidget {
    Q_OBJECT
public:
    // The spring of the entrance.
    static constexpr double springResponse = 0.3;
    static constexpr double springDamping = 0.7;

    explicit BrightnessOSDWidget(const BrightnessOSDView& view, QWidget* parent = nullptr);

    // Replaces what is drawn; a running or finished entrance is kept.
    void setView(const BrightnessOSDView& view);
    const BrightnessOSDView& view() const { return view_; }

    // 302 points wide; the height follows from the fonts.
    QSize sizeHint() const override;

    // Where the entrance spring is: 0 before it starts, 1 once it has settled
    // (slightly above 1 while it overshoots).
    double appearance() const { return appearance_; }
    bool isEntering() const { return entrance_.state() == QAbstractAnimation::Running; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void paintRow(QPainter& painter, const QRectF& row) const;

    BrightnessOSDView view_;
    double appearance_ = 0.0;
    bool appeared_ = false;
    QVariantAnimation entrance_;
};

} // namespace brillex
