#pragma once

#include <QAbstractButton>
#include <QColor>

namespace brillex {

// An on/off switch without a label. It never flips itself: a click asks for
// the other state through `switched`, and the owner shows whatever the
// model then holds (a refused request leaves the switch as it was).
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    enum class Size { small, mini };

    explicit ToggleSwitch(Size size, QWidget* parent = nullptr);

    void setOn(bool on);
    bool isOn() const { return on_; }
    void setTint(QColor tint);
    QColor tint() const { return tint_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void switched(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Size size_;
    bool on_ = false;
    QColor tint_;
};

} // namespace brillex
