#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

namespace brillex {

// Turns SIGINT and SIGTERM into a call on the main loop, so that the program
// ends through its normal shutdown (every boost off, every table written
// back). The handler only writes the signal number to a pipe; the main loop
// reads it. While one instance exists it owns both signals.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(std::function<void(int signal)> terminate, QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool isInstalled() const { return notifier_ != nullptr; }

private:
    void readSignals();

    std::function<void(int)> terminate_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace brillex
