#include "ui/shell/QtStatusBar.h"

#include <QIcon>

#include <chrono>

#include "base/Log.h"
#include "ui/shell/QtGlobalEventMonitor.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Theme.h"

namespace brillex {

namespace {
// A tray click arrives this soon after the deactivation it caused.
constexpr double kSameClickSeconds = 0.4;
} // namespace

QtStatusItemButton::QtStatusItemButton(const QtGlobalEventMonitor& monitor) : monitor_(monitor) {
    QObject::connect(&tray_, &QSystemTrayIcon::activated, &tray_, [this](QSystemTrayIcon::ActivationReason reason) {
        // A quick second click arrives as a double click; it is a click all the same.
        if (reason != QSystemTrayIcon::Trigger && reason != QSystemTrayIcon::DoubleClick) return;
        const double now =
            std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        const double last = monitor_.lastEventTime();
        if (last >= 0.0 && now - last < kSameClickSeconds) return;
        click();
    });
}

void QtStatusItemButton::setImage(const std::string& symbolName, const std::string& accessibilityDescription) {
    const QString name = QString::fromStdString(symbolName);
    if (!SymbolView::exists(name)) return;
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        icon.addPixmap(SymbolView::render(name, size, Theme::color(SystemColor::yellow), 1.0));
    }
    tray_.setIcon(icon);
    tray_.setToolTip(QString::fromStdString(accessibilityDescription));
    tray_.show();
}

void QtStatusItemButton::setAction(std::function<void()> action) { action_ = std::move(action); }

Rect QtStatusItemButton::bounds() const {
    const QRect geometry = tray_.geometry();
    return Rect{0.0, 0.0, static_cast<double>(geometry.width()), static_cast<double>(geometry.height())};
}

void QtStatusItemButton::click() {
    if (action_) action_();
}

std::unique_ptr<StatusItem> QtStatusBar::statusItemWithLength(double) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        logLine("StatusItem: no system tray is running; the sun appears when one starts");
    }
    return std::make_unique<QtStatusItem>(monitor_);
}

} // namespace brillex
