#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/TemporaryFolder.h"

namespace brillex::test {

// The wlroots test compositor (tests/linux/compositor) on a socket in a
// private runtime folder; stopped when destroyed. While it runs, this
// process's WAYLAND_DISPLAY and XDG_RUNTIME_DIR point at it.
class WlrTestCompositor {
public:
    // `withGamma` false: a compositor that offers no gamma control.
    explicit WlrTestCompositor(bool withGamma = true) {
        int fds[2];
        if (folder_.path().empty() || pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            dup2(fds[1], STDOUT_FILENO);
            setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
            execl(WLR_TEST_COMPOSITOR, WLR_TEST_COMPOSITOR, folder_.path().c_str(), withGamma ? nullptr : "--no-gamma",
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char c;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') socket_ += c;
        close(fds[0]);
        setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
        setenv("WAYLAND_DISPLAY", socket_.c_str(), 1);
    }
    ~WlrTestCompositor() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        unsetenv("WAYLAND_DISPLAY");
    }
    WlrTestCompositor(const WlrTestCompositor&) = delete;
    WlrTestCompositor& operator=(const WlrTestCompositor&) = delete;

    bool running() const { return !socket_.empty(); }
    const std::string& socket() const { return socket_; }
    const std::string& runtimeFolder() const { return folder_.path(); }

    // The gamma table `output` shows: 3 x size entries, empty for the compositor's own.
    std::vector<std::uint16_t> ramp(const std::string& output) const {
        std::ifstream in(folder_.path() + "/" + output + ".ramp", std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::vector<std::uint16_t> table(bytes.size() / 2);
        std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(table.size() * 2),
                  reinterpret_cast<char*>(table.data()));
        return table;
    }

private:
    TemporaryFolder folder_;
    pid_t pid_ = -1;
    std::string socket_;
};

} // namespace brillex::test
