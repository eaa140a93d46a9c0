#include "ui/shell/ControlClient.h"

#include <QCoreApplication>
#include <QDBusError>
#include <QDBusMessage>
#include <QStringList>

#include <iostream>

#include "base/Log.h"
#include "ui/shell/ControlService.h"

namespace brillex {
namespace {

ControlReply failed(const std::string& reason) {
    return ControlReply{1, "", "brillex: " + reason + "\n"};
}

} // namespace

ControlReply ControlClient::call(const QString& method, const QList<QVariant>& arguments, QList<QVariant>& answer) {
    if (!bus_.isConnected()) return failed("no session bus, so no running Brillex can be reached");
    QDBusMessage message = QDBusMessage::createMethodCall(ControlService::kServiceName, ControlService::kObjectPath,
                                                          ControlService::kInterface, method);
    message.setArguments(arguments);
    // Never start the program through the bus: only a running one is asked.
    message.setAutoStartService(false);
    const QDBusMessage reply = bus_.call(message, QDBus::Block, kTimeoutMilliseconds);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        answer = reply.arguments();
        return {};
    }
    // Without auto-start the bus answers NameHasNoOwner, which QtDBus has no type for.
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return failed("no running Brillex instance");
    }
    switch (QDBusError(reply).type()) {
    case QDBusError::ServiceUnknown:
        return failed("no running Brillex instance");
    case QDBusError::NoReply:
    case QDBusError::Timeout:
    case QDBusError::TimedOut:
        return failed("the running Brillex did not answer within a second");
    default:
        return failed("the running Brillex could not be asked: " + reply.errorMessage().toStdString());
    }
}

ControlReply ControlClient::command(const std::vector<std::string>& words) {
    QStringList list;
    for (const std::string& word : words) list << QString::fromStdString(word);
    QList<QVariant> answer;
    ControlReply reply = call(QStringLiteral("Command"), {QVariant(list)}, answer);
    if (reply.status != 0) return reply;
    if (answer.size() != 3 || !answer[0].canConvert<int>()) {
        return failed("the running Brillex gave an answer of the wrong form");
    }
    return ControlReply{answer[0].toInt(), answer[1].toString().toStdString(), answer[2].toString().toStdString()};
}

ControlReply ControlClient::showPopover() {
    QList<QVariant> answer;
    return call(QStringLiteral("ShowPopover"), {}, answer);
}

int ControlClient::main(int argc, char** argv, const std::vector<std::string>& words) {
    // Scripts read standard error: one line of ours, not the toolkit's notes
    // about a bus it could not reach.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QCoreApplication application(argc, argv);
    const ControlReply reply = ControlClient(QDBusConnection::sessionBus()).command(words);
    std::cout << reply.out << std::flush;
    std::cerr << reply.err << std::flush;
    return reply.status;
}

int ControlClient::showRunningPopover() {
    const ControlReply reply = ControlClient(QDBusConnection::sessionBus()).showPopover();
    if (reply.status == 0) logLine("Brillex is running already; its popover is shown");
    std::cerr << reply.err << std::flush;
    return reply.status;
}

} // namespace brillex
