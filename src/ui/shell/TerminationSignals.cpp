#include "ui/shell/TerminationSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "base/Log.h"

namespace brillex {

namespace {

int pipeEnds[2] = {-1, -1};

void onSignal(int number) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    [[maybe_unused]] const auto written = ::write(pipeEnds[1], &byte, 1);
    errno = saved;
}

void setHandler(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> terminate, QObject* parent)
    : QObject(parent), terminate_(std::move(terminate)) {
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        logLine(std::string("Signals: cannot watch SIGINT and SIGTERM: ") + std::strerror(errno));
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { readSignals(); });
    setHandler(onSignal);
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_) return;
    setHandler(SIG_DFL);
    notifier_.reset();
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    pipeEnds[0] = pipeEnds[1] = -1;
}

void TerminationSignals::readSignals() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) terminate_(byte);
}

} // namespace brillex
