#include "ui/shell/QtGlobalEventMonitor.h"

#include <QGuiApplication>

#include <chrono>

namespace brillex {

namespace {
double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
} // namespace

std::optional<Subscription> QtGlobalEventMonitor::addGlobalMonitor(std::uint64_t mask, std::function<void()> handler) {
    if ((mask & (EventMask::leftMouseDown | EventMask::rightMouseDown)) == 0) return std::nullopt;
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!application) return std::nullopt;
    if (!context_) {
        context_ = std::make_unique<QObject>();
        QObject::connect(application, &QGuiApplication::applicationStateChanged, context_.get(),
                         [this](Qt::ApplicationState state) {
                             if (state == Qt::ApplicationInactive) deliver();
                         });
    }
    return events_.connect(std::move(handler));
}

void QtGlobalEventMonitor::deliver() {
    lastEventTime_ = steadySeconds();
    events_.emit();
}

} // namespace brillex
