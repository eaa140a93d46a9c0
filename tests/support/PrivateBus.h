#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QString>

#include <memory>
#include <string>

#include "support/BusDaemon.h"
#include "support/ChildProcess.h"
#include "support/QtEventLoop.h"

namespace brillex::test {

// A private bus daemon (BusDaemon) that the test process talks to through
// QtDBus.
class PrivateBus : public BusDaemon {
public:
    // A connection of its own to the bus, under `name`.
    QDBusConnection connect(const QString& name) const {
        qtApplication();
        return QDBusConnection::connectToBus(QString::fromStdString(address()), name);
    }
};

// python3-dbusmock serving a template on a private bus, as the session and
// the system bus at once. Stopped when destroyed.
class DbusMock {
public:
    DbusMock(const PrivateBus& bus, const std::string& templatePath, const std::string& parametersJson,
             const QString& busName)
        : busName_(busName) {
        mock_ = ChildProcess::start([&] {
            silence({STDOUT_FILENO, STDERR_FILENO});
            setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
            setenv("DBUS_SYSTEM_BUS_ADDRESS", bus.address().c_str(), 1);
            execl("/usr/bin/python3", "python3", "-m", "dbusmock", "--template", templatePath.c_str(), "-p",
                  parametersJson.c_str(), static_cast<char*>(nullptr));
        });
        connection_ = std::make_unique<QDBusConnection>(bus.connect("dbusmock-watcher"));
    }
    ~DbusMock() {
        mock_.stop();
        // Gone before the next mock takes the name.
        if (connection_) {
            processEventsUntil([this] { return !connection_->interface()->isServiceRegistered(busName_); });
        }
    }
    DbusMock(const DbusMock&) = delete;
    DbusMock& operator=(const DbusMock&) = delete;

    // Waits until the mock owns its bus name.
    bool ready() {
        return processEventsUntil([this] { return connection_->interface()->isServiceRegistered(busName_); });
    }

private:
    ChildProcess mock_;
    QString busName_;
    std::unique_ptr<QDBusConnection> connection_;
};

} // namespace brillex::test
