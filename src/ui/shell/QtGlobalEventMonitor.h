#pragma once

#include <QObject>

#include <memory>

#include "app/GlobalEventMonitor.h"

namespace brillex {

// Clicks in other applications, as a Qt program can see them: the program
// stops being the active application when another one takes the click.
// (A desktop does not deliver other programs' mouse events to us.)
class QtGlobalEventMonitor : public GlobalEventMonitor {
public:
    std::optional<Subscription> addGlobalMonitor(std::uint64_t mask, std::function<void()> handler) override;

    // Seconds on the steady clock of the last click seen elsewhere; negative
    // before the first. The status item uses it to tell the click that
    // deactivated us because it landed on the item itself.
    double lastEventTime() const { return lastEventTime_; }

    // Delivers a click elsewhere to every monitor, as a deactivation does.
    void deliver();

private:
    Signal<> events_;
    // Receives the application's state changes while the monitor exists.
    std::unique_ptr<QObject> context_;
    double lastEventTime_ = -1.0;
};

} // namespace brillex
