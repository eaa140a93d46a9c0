#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

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
        int fds[2];
        if (pipe(fds) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDERR_FILENO);
            const std::string configOption = "--config-file=" + config;
            const std::string addressOption = "--print-address=" + std::to_string(fds[1]);
            execlp("dbus-daemon", "dbus-daemon", configOption.c_str(), "--nofork", addressOption.c_str(),
                   static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        // The daemon prints its address once it listens; end of file when it could not start.
        char c;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') address_ += c;
        close(fds[0]);
    }
    ~BusDaemon() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    BusDaemon(const BusDaemon&) = delete;
    BusDaemon& operator=(const BusDaemon&) = delete;

    // Empty when dbus-daemon is missing or did not start.
    const std::string& address() const { return address_; }
    bool running() const { return !address_.empty(); }

private:
    pid_t pid_ = -1;
    std::string folder_;
    std::string address_;
};

} // namespace brillex::test
