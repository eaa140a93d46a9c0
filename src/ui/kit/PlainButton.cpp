#include "ui/kit/PlainButton.h"

#include <QChildEvent>
#include <QHBoxLayout>
#include <QPainter>

namespace brillex {

PlainButton::PlainButton(QWidget* parent) : QAbstractButton(parent), face_(new QHBoxLayout(this)) {
    face_->setContentsMargins(0, 0, 0, 0);
    face_->setSpacing(0);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void PlainButton::addToFace(QWidget* child) { face_->addWidget(child); }

void PlainButton::setFaceBackground(QColor color, double radius) {
    background_ = color;
    radius_ = radius;
    update();
}

QSize PlainButton::sizeHint() const { return face_->sizeHint(); }
QSize PlainButton::minimumSizeHint() const { return face_->minimumSize(); }

void PlainButton::childEvent(QChildEvent* event) {
    if (event->added() && event->child()->isWidgetType()) {
        static_cast<QWidget*>(event->child())->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QAbstractButton::childEvent(event);
}

void PlainButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    if (background_.alpha() > 0) {
        painter.setBrush(background_);
        painter.drawRoundedRect(QRectF(rect()), radius_, radius_);
    }
    if (isDown()) {
        // A pressed face darkens slightly, as a plain button does.
        painter.setBrush(QColor(0, 0, 0, 28));
        painter.drawRoundedRect(QRectF(rect()), radius_, radius_);
    }
}

} // namespace brillex
