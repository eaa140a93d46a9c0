#pragma once

#include <QAbstractButton>
#include <QColor>

class QHBoxLayout;

namespace brillex {

// A borderless button whose face is a row of child widgets (symbols and
// texts), optionally on a rounded background. The children do not take the
// mouse, so a click anywhere on the face presses the button.
class PlainButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit PlainButton(QWidget* parent = nullptr);

    QHBoxLayout* face() const { return face_; }
    // Adds a child to the face, after the ones added before.
    void addToFace(QWidget* child);
    void setFaceBackground(QColor color, double radius);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    QHBoxLayout* face_;
    QColor background_ = Qt::transparent;
    double radius_ = 0.0;
};

} // namespace brillex
