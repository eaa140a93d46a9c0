#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

namespace brillex::test {

// The test program's one Qt application, created on first use; socket
// notifiers and D-Bus replies need its event loop.
inline QCoreApplication& qtApplication() {
    static int argc = 1;
    static char name[] = "linux_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` holds or `timeoutMs` has passed; whether it holds.
inline bool processEventsUntil(const std::function<bool()>& done, int timeoutMs = 2000) {
    qtApplication();
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace brillex::test
