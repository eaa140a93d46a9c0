#include "ui/kit/ContentScrollArea.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace brillex {

namespace {
// Room left on the screen for the popover's header and the panel.
constexpr int kScreenReserve = 120;
} // namespace

ContentScrollArea::ContentScrollArea(QWidget* content, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    setWidget(content);
    viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    // A change of the content's size hint is posted to the viewport, its parent.
    viewport()->installEventFilter(this);
}

// The content's own layout changes do not reach the layout this area sits
// in; pass them on so that the popover grows and shrinks with the content.
bool ContentScrollArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport() && event->type() == QEvent::LayoutRequest) updateGeometry();
    return QScrollArea::eventFilter(watched, event);
}

QSize ContentScrollArea::sizeHint() const {
    const QSize content = widget() ? widget()->sizeHint() : QSize();
    int limit = content.height();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        limit = std::max(100, screen->availableGeometry().height() - kScreenReserve);
    }
    return QSize(content.width(), std::min(content.height(), limit));
}

QSize ContentScrollArea::minimumSizeHint() const { return QSize(0, sizeHint().height()); }

} // namespace brillex
