#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

namespace brillex::test {

// A private X server for one test program: Xvfb picks a free display number
// and writes it to a pipe once clients can connect. Stopped when destroyed.
class XvfbServer {
public:
    explicit XvfbServer(const std::string& screenGeometry = "1280x800x24") {
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screenGeometry.c_str(), "-nolisten",
                   "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        std::string number;
        char c;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display_ = ":" + number;
    }
    ~XvfbServer() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // Empty when Xvfb is missing or did not start.
    const std::string& display() const { return display_; }
    bool running() const { return !display_.empty(); }

    // Runs a shell command against this server; its exit status.
    int run(const std::string& command) const {
        return std::system(("DISPLAY=" + display_ + " " + command).c_str());
    }

private:
    pid_t pid_ = -1;
    std::string display_;
};

} // namespace brillex::test
