#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TemporaryFolder.h"

namespace brillex::test {

// The wlroots test compositor (tests/linux/compositor) on a socket in a
// private runtime folder; stopped when destroyed. While it runs, this
// process's WAYLAND_DISPLAY and XDG_RUNTIME_DIR point at it.
class WlrTestCompositor {
public:
    // `withGamma` false: a compositor that offers no gamma control.
    explicit WlrTestCompositor(bool withGamma = true) {
        if (folder_.path().empty()) return;
        setenv("XDG_RUNTIME_DIR", folder_.path().c_str(), 1);
        // It prints its socket's name once it listens.
        compositor_ = ChildProcess::startAndRead(
            [&](int socketFd) {
                dup2(socketFd, STDOUT_FILENO);
                execl(WLR_TEST_COMPOSITOR, WLR_TEST_COMPOSITOR, folder_.path().c_str(),
                      withGamma ? nullptr : "--no-gamma", static_cast<char*>(nullptr));
            },
            socket_);
        setenv("WAYLAND_DISPLAY", socket_.c_str(), 1);
    }
    ~WlrTestCompositor() {
        compositor_.stop();
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
    ChildProcess compositor_;
    std::string socket_;
};

} // namespace brillex::test
