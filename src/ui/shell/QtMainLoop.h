#pragma once

#include <QObject>

#include <chrono>

#include "base/MainLoop.h"

namespace brillex {

// The main-loop port on Qt's event loop: posted tasks are queued events,
// timers are QTimers, the clock is the steady clock. Tasks and timers still
// pending when the loop object is destroyed never run.
class QtMainLoop : public QObject, public MainLoop {
    Q_OBJECT
public:
    explicit QtMainLoop(QObject* parent = nullptr);

    void post(std::function<void()> task) override;
    Timer schedule(double seconds, bool repeats, std::function<void()> fire) override;
    double now() const override;

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace brillex
