// Any message a bus would deliver to the control object on a private bus,
// its method and arguments taken from the bytes: a Command call with a list
// of words is answered with a status and two texts (status 0 and no error, or
// 1 and one line of error); every other call gets a reply or an error, never a
// crash. What no bus carries (a signature over 255 characters, nesting past
// 64 levels, strings that are not UTF-8 or hold NUL) is never built: the
// daemon refuses it before the service could see it, and libdbus's own
// marshaller is not what is fuzzed here.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlWorld.h"
#include "app/ControlCommands.h"
#include "base/Log.h"
#include "controls/KeyboardBrightness.h"
#include "support/PrivateBus.h"
#include "ui/shell/ControlService.h"

using namespace brillex;

namespace {

struct Bus {
    test::PrivateBus daemon;
    QDBusConnection serviceSide = daemon.connect("service");
    QDBusConnection clientSide = daemon.connect("client");
    ControlService service{serviceSide};
};

std::vector<QByteArray> chunks(const std::uint8_t* data, std::size_t size, char separator) {
    std::vector<QByteArray> result(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == static_cast<std::uint8_t>(separator)) result.emplace_back();
        else result.back() += static_cast<char>(data[i]);
    }
    return result;
}

// The limits of the D-Bus wire format on what a message may hold.
constexpr std::size_t kMaxSignature = 255;
constexpr int kMaxNesting = 64;

// Text as a bus carries it: UTF-8 (invalid sequences replaced) without NUL.
QString text(const QByteArray& bytes) {
    return QString::fromUtf8(bytes).remove(QChar(u'\0'));
}

// An argument from one chunk: its first byte says the type, the rest the
// value; a variant holds the argument the rest makes, `depth` levels deep.
QVariant argument(const QByteArray& chunk, int depth = 1) {
    const QByteArray value = chunk.mid(1);
    switch (chunk.isEmpty() ? 'a' : chunk[0]) {
    case 'i': return value.toInt();
    case 'd': return value.toDouble();
    case 'b': return QVariant::fromValue(value);
    case 'v':
        return QVariant::fromValue(QDBusVariant(depth < kMaxNesting ? argument(value, depth + 1) : QVariant(text(value))));
    case 's': return text(value);
    default: {
        QStringList words;
        for (const QByteArray& word : value.split('\0')) words << text(word);
        return words;
    }
    }
}

void checkCommandReply(const QDBusMessage& reply) {
    const QList<QVariant> answer = reply.arguments();
    if (reply.type() != QDBusMessage::ReplyMessage || answer.size() != 3) std::abort();
    const int status = answer[0].toInt();
    const QString err = answer[2].toString();
    const bool oneLine = !err.isEmpty() && err.indexOf('\n') == err.size() - 1;
    if (status == 0 ? !err.isEmpty() : (status != 1 || !oneLine)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LogCapture quiet;
    // One bus for the whole run; stopped at exit with the rest of the statics.
    static Bus bus;
    static const bool claimed = bus.daemon.running() && bus.service.claim() == ControlService::Claim::claimed;
    if (!claimed) std::abort();

    test::ControlWorld control;
    test::AppWorld& world = control.world;
    ControlCommands& commands = *control.commands;
    bus.service.serve(commands);

    // The first chunk names the method; each further one is an argument.
    const std::vector<QByteArray> parts = chunks(data, size, '\n');
    static const char* const methods[] = {"Command", "ShowPopover", "Unknown"};
    const char* method = methods[parts[0].isEmpty() ? 0 : static_cast<unsigned char>(parts[0][0]) % 3];
    QDBusMessage message = QDBusMessage::createMethodCall(ControlService::kServiceName, ControlService::kObjectPath,
                                                          ControlService::kInterface, method);
    // Arguments as long as the signature stays within what a bus carries.
    QList<QVariant> arguments;
    std::size_t signature = 0;
    for (std::size_t i = 1; i < parts.size(); ++i) {
        QVariant next = argument(parts[i]);
        signature += std::strlen(QDBusMetaType::typeToSignature(next.metaType()));
        if (signature > kMaxSignature) break;
        arguments << std::move(next);
    }
    message.setArguments(arguments);

    // Unanswered, the call ends at libFuzzer's hang limit, which reports it.
    QDBusPendingCall call = bus.clientSide.asyncCall(message, std::numeric_limits<int>::max());
    test::processEventsUntil([&] { return call.isFinished(); }, std::chrono::hours(1));
    const QDBusMessage reply = call.reply();
    const bool commandCall = std::string(method) == "Command" && arguments.size() == 1 &&
                             arguments[0].userType() == QMetaType::QStringList;
    if (commandCall) checkCommandReply(reply);
    world.sim.loop.runPending();
    return 0;
}
