#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <chrono>
#include <functional>

#include "support/Patience.h"

namespace brillex::test {

// The test program's one Qt application, created on first use; socket
// notifiers and D-Bus replies need its event loop.
inline QCoreApplication& qtApplication() {
    if (QCoreApplication* existing = QCoreApplication::instance()) return *existing;
    static int argc = 1;
    static char name[] = "linux_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` holds or `limit` has passed; whether it
// holds. The loop sleeps between events as the program's does (so that what
// runs before it sleeps runs here too), woken every 10 ms to look at `done`.
inline bool processEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kPatience) {
    QCoreApplication& app = qtApplication();
    QDeadlineTimer deadline(limit);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QTimer::singleShot(10, &app, [] {});
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace brillex::test
