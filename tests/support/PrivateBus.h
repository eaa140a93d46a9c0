#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QString>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/QtEventLoop.h"

namespace brillex::test {

// A D-Bus daemon of the test's own, in a fresh folder: no service files, so
// nothing is activated behind the test's back. Stopped when destroyed.
class PrivateBus {
public:
    PrivateBus() {
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
        char c;
        while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') address_ += c;
        close(fds[0]);
    }
    ~PrivateBus() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (!folder_.empty()) std::filesystem::remove_all(folder_);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Empty when dbus-daemon is missing or did not start.
    const std::string& address() const { return address_; }
    bool running() const { return !address_.empty(); }

    // A connection of its own to the bus, under `name`.
    QDBusConnection connect(const QString& name) const {
        qtApplication();
        return QDBusConnection::connectToBus(QString::fromStdString(address_), name);
    }

private:
    pid_t pid_ = -1;
    std::string folder_;
    std::string address_;
};

// python3-dbusmock serving a template on a private bus, as the session and
// the system bus at once. Stopped when destroyed.
class DbusMock {
public:
    DbusMock(const PrivateBus& bus, const std::string& templatePath, const std::string& parametersJson,
             const QString& busName)
        : busName_(busName) {
        pid_ = fork();
        if (pid_ == 0) {
            const int devNull = open("/dev/null", O_WRONLY);
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
            setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
            setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().c_str(), 1);
            execl("/usr/bin/python3", "python3", "-m", "dbusmock", "--template", templatePath.c_str(), "-p",
                  parametersJson.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        connection_ = std::make_unique<QDBusConnection>(bus.connect("dbusmock-watcher"));
    }
    ~DbusMock() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        // Gone before the next mock takes the name.
        if (connection_) {
            processEventsUntil([this] { return !connection_->interface()->isServiceRegistered(busName_); }, 2000);
        }
    }
    DbusMock(const DbusMock&) = delete;
    DbusMock& operator=(const DbusMock&) = delete;

    // Waits until the mock owns its bus name.
    bool ready(int timeoutMs = 10000) {
        return processEventsUntil([this] { return connection_->interface()->isServiceRegistered(busName_); },
                                  timeoutMs);
    }

private:
    pid_t pid_ = -1;
    QString busName_;
    std::unique_ptr<QDBusConnection> connection_;
};

} // namespace brillex::test
