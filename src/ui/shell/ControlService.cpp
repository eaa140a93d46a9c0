#include "ui/shell/ControlService.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>

#include <string>
#include <vector>

#include "app/ControlCommands.h"
#include "base/Log.h"

namespace brillex {

ControlService::ControlService(QDBusConnection bus) : bus_(std::move(bus)) {}

ControlService::~ControlService() {
    if (!registered_) return;
    bus_.unregisterService(kServiceName);
    bus_.unregisterObject(kObjectPath);
}

ControlService::Claim ControlService::claim() {
    if (!bus_.isConnected()) {
        logLine("Control: no session bus; brillex ctl cannot reach this instance");
        return Claim::unavailable;
    }
    // The object first, so that a call arriving the moment the name is ours
    // finds it.
    if (!bus_.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots)) {
        logLine("Control: the control object could not be published; brillex ctl cannot reach this instance");
        return Claim::unavailable;
    }
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus_.interface()->registerService(
        kServiceName, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        registered_ = true;
        return Claim::claimed;
    }
    bus_.unregisterObject(kObjectPath);
    if (reply.isValid()) return Claim::taken;
    // Refused for another reason than another owner: run on, unreachable.
    logLine("Control: the bus refused the name " + std::string(kServiceName) + " (" +
            reply.error().message().toStdString() + "); brillex ctl cannot reach this instance");
    return Claim::unavailable;
}

int ControlService::Command(const QStringList& words, QString& out, QString& err) {
    if (!commands_) {
        err = QStringLiteral("brillex: the running instance is still starting\n");
        return 1;
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(words.size()));
    for (const QString& word : words) arguments.push_back(word.toStdString());
    const ControlReply reply = commands_->run(arguments);
    out = QString::fromStdString(reply.out);
    err = QString::fromStdString(reply.err);
    return reply.status;
}

void ControlService::ShowPopover() {
    if (commands_) commands_->showPopover();
}

} // namespace brillex
