#include "platform/linux/services/LogindSession.h"

#include <QDBusMessage>

namespace brillex::x11 {

std::optional<std::string> LogindSession::setBrightness(const std::string& subsystem, const std::string& device,
                                                        std::uint32_t level) const {
    // "auto" is logind's name for the session the calling process belongs to.
    QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.login1", "/org/freedesktop/login1/session/auto",
                                                       "org.freedesktop.login1.Session", "SetBrightness");
    call << QString::fromStdString(subsystem) << QString::fromStdString(device) << static_cast<uint>(level);
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return std::nullopt;
    if (!bus_.isConnected()) return std::string("no system bus");
    return (reply.errorName() + ": " + reply.errorMessage()).toStdString();
}

} // namespace brillex::x11
