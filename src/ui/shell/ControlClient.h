#pragma once

#include <QDBusConnection>

#include <string>
#include <vector>

#include "app/ControlCommands.h"

namespace brillex {

// `brillex ctl` and a second start of the program: ask the running instance
// over the session bus, waiting about a second for its answer.
class ControlClient {
public:
    static constexpr int kTimeoutMilliseconds = 1000;

    explicit ControlClient(QDBusConnection bus) : bus_(std::move(bus)) {}

    // The running instance's answer to the words after "ctl", or status 1
    // with the reason none came.
    ControlReply command(const std::vector<std::string>& words);
    // Asks the running instance to show its popover.
    ControlReply showPopover();

    // The program's `ctl` action: prints the answer; its exit status.
    static int main(int argc, char** argv, const std::vector<std::string>& words);
    // A second start of the program: the running instance shows its popover;
    // the exit status.
    static int showRunningPopover();

private:
    // Sends the call; an empty reply text means it was answered.
    ControlReply call(const QString& method, const QList<QVariant>& arguments, QList<QVariant>& answer);

    QDBusConnection bus_;
};

} // namespace brillex
