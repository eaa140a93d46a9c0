#include "ui/shell/QtPopover.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/screens/ContentView.h"
#include "ui/shell/GlobalAnchor.h"

namespace brillex {

namespace {
constexpr int kAnchorGap = 4;
constexpr int kScreenMargin = 8;
constexpr int kFadeMilliseconds = 120;
} // namespace

QtPopover::QtPopover(std::function<ViewEnvironment()> environment)
    : environment_(std::move(environment)),
      window_(std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)) {
    window_->setObjectName("popover");
    window_->setWindowTitle("Brillex");
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    window_->installEventFilter(this);
}

QtPopover::~QtPopover() = default;

void QtPopover::hostContentView() {
    delete content_;
    content_ = nullptr;
    hosted_ = true;
}

bool QtPopover::isShown() const { return window_->isVisible(); }

void QtPopover::showRelativeTo(Rect, StatusItemButton& anchor, RectEdge) {
    // The button tells where it is in global coordinates; the bounds in its
    // own coordinates add nothing to that.
    const auto* placed = dynamic_cast<const GlobalAnchor*>(&anchor);
    anchor_ = placed ? placed->globalGeometry() : QRect();
    if (hosted_ && !content_) {
        content_ = new ContentView(environment_());
        window_->layout()->addWidget(content_);
    }
    window_->adjustSize();
    place();
    if (animates_) {
        window_->setWindowOpacity(0.0);
        auto* fade = new QPropertyAnimation(window_.get(), "windowOpacity", window_.get());
        fade->setDuration(kFadeMilliseconds);
        fade->setEndValue(1.0);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void QtPopover::performClose() {
    if (window_->isVisible()) window_->hide();
}

void QtPopover::place() {
    const QScreen* screen = anchor_.isEmpty() ? QGuiApplication::primaryScreen() : QGuiApplication::screenAt(anchor_.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    window_->move(placement(window_->size(), anchor_, screen->availableGeometry()));
}

QPoint QtPopover::placement(QSize size, QRect anchor, QRect available) {
    const QRect inner = available.adjusted(kScreenMargin, kScreenMargin, -kScreenMargin, -kScreenMargin);
    if (anchor.isEmpty()) return QPoint(inner.right() + 1 - size.width(), inner.top());
    int x = anchor.left() + anchor.width() / 2 - size.width() / 2;
    int y = anchor.bottom() + 1 + kAnchorGap;
    if (y + size.height() > inner.bottom() + 1) y = anchor.top() - kAnchorGap - size.height();
    x = std::clamp(x, inner.left(), std::max(inner.left(), inner.right() + 1 - size.width()));
    y = std::clamp(y, inner.top(), std::max(inner.top(), inner.bottom() + 1 - size.height()));
    return QPoint(x, y);
}

bool QtPopover::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.get() && event->type() == QEvent::Resize && window_->isVisible()) place();
    return QObject::eventFilter(watched, event);
}

} // namespace brillex
