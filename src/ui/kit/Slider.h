#pragma once

#include <QColor>
#include <QWidget>

namespace brillex {

// A horizontal slider over a range of doubles, continuous or in steps,
// tinted. It only reports what the user does (`moved`); the owner sets the
// value it shows from the model, without a report.
class Slider : public QWidget {
    Q_OBJECT
public:
    // `step` 0 makes the slider continuous.
    Slider(double minimum, double maximum, double step, QColor tint, QWidget* parent = nullptr);

    void setValue(double value);
    double value() const { return value_; }
    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }
    QColor tint() const { return tint_; }

    QSize sizeHint() const override { return QSize(120, 20); }
    QSize minimumSizeHint() const override { return QSize(40, 20); }

Q_SIGNALS:
    void moved(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double snapped(double value) const;
    double valueAt(double x) const;
    void userMoved(double value);
    QRectF trackRect() const;

    double minimum_;
    double maximum_;
    double step_;
    QColor tint_;
    double value_;
    bool dragging_ = false;
};

} // namespace brillex
