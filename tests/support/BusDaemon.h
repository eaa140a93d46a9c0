#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/ChildProcess.h"

namespace brillex::test {

// A D-Bus daemon of the test's own, listening in a fresh folder: no service
// files, so nothing is activated behind the test's back. Stopped when
// destroyed.
class BusDaemon {
public:
    BusDaemon() {
        char folder[] = "/tmp/brillex-bus-XXXXXX";
        if (!mkdtemp(folder)) return;
        folder_ = folder;
        const std::string config = folder_ + "/bus.conf";
        std::ofstream(config) << "<busconfig><type>session</type><listen>unix:dir=" << folder_
                              << "</listen><policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                                 "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>";
        // The daemon prints its address once it listens; none when it could not start.
        daemon_ = ChildProcess::startAndRead(
            [&](int addressFd) {
                silence({STDERR_FILENO});
                const std::string configOption = "--config-file=" + config;
                const std::string addressOption = "--print-address=" + std::to_string(addressFd);
                execlp("dbus-daemon", "dbus-daemon", configOption.c_str(), "--nofork", addressOption.c_str(),
                       static_cast<char*>(nullptr));
            },
            address_);
    }
    ~BusDaemon() {
        daemon_.stop();
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    BusDaemon(const BusDaemon&) = delete;
    BusDaemon& operator=(const BusDaemon&) = delete;

    // Empty when dbus-daemon is missing or did not start.
    const std::string& address() const { return address_; }
    bool running() const { return !address_.empty(); }

private:
    std::string folder_;
    ChildProcess daemon_;
    std::string address_;
};

} // namespace brillex::test
