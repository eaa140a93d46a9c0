#include "ui/shell/QtMainLoop.h"

#include <QPointer>
#include <QTimer>

#include <cmath>
#include <limits>

namespace brillex {

namespace {

// Owns the QTimer behind one Timer handle. The QTimer is only ever released
// with deleteLater, so a timer may be invalidated from inside its own firing.
class QtTimerControl : public Timer::Control {
public:
    QtTimerControl(QObject* owner, bool repeats, std::function<void()> fire)
        : timer_(new QTimer(owner)), repeats_(repeats), fire_(std::move(fire)) {}
    ~QtTimerControl() override { invalidate(); }

    void start(std::shared_ptr<QtTimerControl> self, int milliseconds) {
        std::weak_ptr<QtTimerControl> weak = self;
        timer_->setSingleShot(!repeats_);
        QObject::connect(timer_, &QTimer::timeout, timer_, [weak] {
            if (auto control = weak.lock()) control->fire();
        });
        timer_->start(milliseconds);
    }

    void invalidate() override {
        valid_ = false;
        if (timer_) {
            timer_->stop();
            timer_->deleteLater();
            timer_ = nullptr;
        }
    }
    bool isValid() const override { return valid_; }

private:
    void fire() {
        if (!valid_) return;
        if (!repeats_) invalidate();
        // The caller holds this control while it fires, so fire_ survives the
        // handle being dropped inside the closure.
        fire_();
    }

    QPointer<QTimer> timer_;
    bool repeats_;
    bool valid_ = true;
    std::function<void()> fire_;
};

int toMilliseconds(double seconds) {
    if (!(seconds > 0.0)) return 0; // also NaN
    const double ms = std::round(seconds * 1000.0);
    if (ms >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    return static_cast<int>(ms);
}

} // namespace

QtMainLoop::QtMainLoop(QObject* parent) : QObject(parent) {}

void QtMainLoop::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

Timer QtMainLoop::schedule(double seconds, bool repeats, std::function<void()> fire) {
    auto control = std::make_shared<QtTimerControl>(this, repeats, std::move(fire));
    control->start(control, toMilliseconds(seconds));
    return Timer(control);
}

double QtMainLoop::now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

} // namespace brillex
