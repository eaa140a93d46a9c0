#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

#include "base/ManualLoop.h"

namespace brillex {

// Runs a manual loop (the simulated computer's own) inside Qt's event loop:
// whenever Qt is about to wait, the manual loop's posted tasks run and its
// clock catches up with real time, firing the timers that fell due. While
// it has timers, Qt is woken in time for them.
class ManualLoopDriver : public QObject {
    Q_OBJECT
public:
    explicit ManualLoopDriver(ManualLoop& loop, QObject* parent = nullptr);

    void drive();

private:
    ManualLoop& loop_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
    QTimer wake_;
    bool driving_ = false;
};

} // namespace brillex
