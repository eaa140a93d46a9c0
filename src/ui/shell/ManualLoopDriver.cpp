#include "ui/shell/ManualLoopDriver.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

namespace brillex {

namespace {
// How often Qt looks in while the manual loop has timers running.
constexpr int kTimerCheckMilliseconds = 50;
} // namespace

ManualLoopDriver::ManualLoopDriver(ManualLoop& loop, QObject* parent) : QObject(parent), loop_(loop) {
    wake_.setSingleShot(true);
    connect(&wake_, &QTimer::timeout, this, [this] { drive(); });
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QCoreApplication::instance()->thread())) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] { drive(); });
    }
}

void ManualLoopDriver::drive() {
    if (driving_) return;
    driving_ = true;
    const auto now = std::chrono::steady_clock::now();
    loop_.runPending();
    loop_.advance(std::chrono::duration<double>(now - last_).count());
    last_ = now;
    driving_ = false;
    if (loop_.activeTimers() > 0 && !wake_.isActive()) wake_.start(kTimerCheckMilliseconds);
}

} // namespace brillex
