#include "ui/kit/Divider.h"

#include <QPainter>

#include "ui/kit/Theme.h"

namespace brillex {

Divider::Divider(int inset, QWidget* parent) : QWidget(parent), inset_(inset) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(1);
}

void Divider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(QRect(inset_, 0, std::max(0, width() - 2 * inset_), 1), Theme::color(SystemColor::separator));
}

} // namespace brillex
