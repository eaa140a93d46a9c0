#pragma once

#include <QWidget>

namespace brillex {

// A one-point separator line across the width, less an inset on both sides.
class Divider : public QWidget {
    Q_OBJECT
public:
    explicit Divider(int inset = 0, QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(2 * inset_ + 1, 1); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int inset_;
};

} // namespace brillex
