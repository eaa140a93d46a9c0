#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <initializer_list>
#include <string>
#include <utility>

namespace brillex::test {

// A process the test started (a server, a daemon, a mock), stopped and
// reaped when destroyed.
class ChildProcess {
public:
    ChildProcess() = default;
    // Forks; the child runs `exec`, which ends by exec'ing a program (or _exit).
    template <class Exec> static ChildProcess start(Exec exec) {
        ChildProcess child;
        child.pid_ = fork();
        if (child.pid_ == 0) {
            exec();
            _exit(127);
        }
        return child;
    }
    // As start, with `exec` given the write end of a pipe on which the
    // program says it is ready with one line; waits for that line, which is
    // empty when the program ended without one.
    template <class Exec> static ChildProcess startAndRead(Exec exec, std::string& line) {
        line.clear();
        int fds[2];
        if (pipe(fds) != 0) return {};
        ChildProcess child = start([&] {
            close(fds[0]);
            exec(fds[1]);
        });
        close(fds[1]);
        char c;
        while (child.running() && read(fds[0], &c, 1) == 1 && c != '\n') line += c;
        close(fds[0]);
        return child;
    }
    ~ChildProcess() { stop(); }
    ChildProcess(ChildProcess&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}
    ChildProcess& operator=(ChildProcess&& other) noexcept {
        if (this != &other) {
            stop();
            pid_ = std::exchange(other.pid_, -1);
        }
        return *this;
    }

    bool running() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Sends it `number` while it runs.
    bool signal(int number) const { return pid_ > 0 && kill(pid_, number) == 0; }
    // Whether it has ended by itself (then reaped); never waits.
    bool ended() {
        if (pid_ <= 0 || waitpid(pid_, nullptr, WNOHANG) != pid_) return false;
        pid_ = -1;
        return true;
    }
    // Ends it (woken first, should a test have stopped it) and reaps it.
    void stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGCONT);
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

// In a child before exec: `fds` (standard output, standard error) go to /dev/null.
inline void silence(std::initializer_list<int> fds) {
    const int devNull = open("/dev/null", O_WRONLY);
    for (const int fd : fds) dup2(devNull, fd);
}

} // namespace brillex::test
