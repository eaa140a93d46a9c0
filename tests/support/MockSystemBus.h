#pragma once

#include <unistd.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusMessage>
#include <QString>

#include "support/BusDaemon.h"
#include "support/ChildProcess.h"
#include "support/Patience.h"
#include "support/QtEventLoop.h"

namespace brillex::test {

// One method of an object added to a dbusmock service: name, in and out
// signatures, and the Python code that runs for a call.
struct MockMethod {
    QString name, in, out, code;
};

} // namespace brillex::test

Q_DECLARE_METATYPE(brillex::test::MockMethod)

inline QDBusArgument& operator<<(QDBusArgument& argument, const brillex::test::MockMethod& method) {
    argument.beginStructure();
    argument << method.name << method.in << method.out << method.code;
    argument.endStructure();
    return argument;
}
inline const QDBusArgument& operator>>(const QDBusArgument& argument, brillex::test::MockMethod& method) {
    argument.beginStructure();
    argument >> method.name >> method.in >> method.out >> method.code;
    argument.endStructure();
    return argument;
}

namespace brillex::test {

// A private bus daemon standing in for the system bus, with python3-dbusmock
// services on it. Everything it started stops when it goes.
class MockSystemBus {
public:
    MockSystemBus() {
        qtApplication();
        if (!daemon_.running()) return;
        static int serial = 0;
        name_ = QString("mock-system-bus-%1").arg(++serial);
        connection_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromStdString(daemon_.address()), name_));
    }
    ~MockSystemBus() {
        connection_.reset();
        if (!name_.isEmpty()) QDBusConnection::disconnectFromBus(name_);
        for (auto it = processes_.rbegin(); it != processes_.rend(); ++it) it->stop();
    }
    MockSystemBus(const MockSystemBus&) = delete;
    MockSystemBus& operator=(const MockSystemBus&) = delete;

    bool running() const { return connection_ && connection_->isConnected(); }
    const std::string& address() const { return daemon_.address(); }
    // A client connection to the bus, as the product is given one.
    QDBusConnection& bus() { return *connection_; }

    // Starts `python3 -m dbusmock --template NAME` on the bus and waits until
    // it owns `service`; its pid, or -1.
    pid_t startTemplate(const std::string& templateName, const std::string& service,
                        const std::string& parameters = "{}") {
        ChildProcess& mock = processes_.emplace_back(ChildProcess::start([&] {
            setenv("DBUS_SESSION_BUS_ADDRESS", address().c_str(), 1);
            silence({STDOUT_FILENO, STDERR_FILENO});
            execl("/usr/bin/python3", "python3", "-m", "dbusmock", "--session", "--template", templateName.c_str(),
                  "-p", parameters.c_str(), static_cast<char*>(nullptr));
        }));
        if (!mock.running()) return -1;
        const bool owned = eventually(
            [&] { return connection_->interface()->isServiceRegistered(QString::fromStdString(service)).value(); },
            kPatience, std::chrono::milliseconds(20));
        return owned ? mock.pid() : -1;
    }

    // Calls a method (a dbusmock control method, usually) and waits for its answer.
    QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return connection_->call(message, QDBus::Block, static_cast<int>(std::chrono::milliseconds(kPatience).count()));
    }

    // Adds an object with `methods` through the main object of the dbusmock service `service`.
    QDBusMessage addObject(const QString& service, const QString& mainObject, const QString& path,
                           const QString& interface, const QList<MockMethod>& methods) {
        qDBusRegisterMetaType<MockMethod>();
        qDBusRegisterMetaType<QList<MockMethod>>();
        return call(service, mainObject, "org.freedesktop.DBus.Mock", "AddObject",
                    {path, interface, QVariantMap(), QVariant::fromValue(methods)});
    }

private:
    BusDaemon daemon_;
    QString name_;
    std::unique_ptr<QDBusConnection> connection_;
    std::vector<ChildProcess> processes_;
};

} // namespace brillex::test
