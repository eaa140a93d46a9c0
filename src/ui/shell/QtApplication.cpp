#include "ui/shell/QtApplication.h"

#include <QApplication>
#include <QWidget>

namespace brillex {

int QtApplication::run() {
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [this] { tellTermination(); });
    // Launching finishes on the first turn of the running loop.
    QMetaObject::invokeMethod(
        qApp,
        [this] {
            if (terminating_) return;
            if (delegate_) delegate_->applicationDidFinishLaunching();
            if (afterLaunch) afterLaunch();
        },
        Qt::QueuedConnection);
    const int status = QApplication::exec();
    tellTermination();
    return status;
}

void QtApplication::terminate() {
    if (terminating_) return;
    tellTermination();
    // Queued, so that a termination asked for before the loop runs still ends it.
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void QtApplication::tellTermination() {
    if (terminating_) return;
    terminating_ = true;
    if (delegate_) delegate_->applicationWillTerminate();
}

// Brings every window of the program that can take the focus to the front,
// as activating an application does.
void QtApplication::activateIgnoringOtherApps(bool) {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible()) continue;
        if (window->windowFlags().testAnyFlags(Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)) continue;
        if (window->windowType() == Qt::ToolTip) continue;
        window->raise();
        window->activateWindow();
    }
}

} // namespace brillex
