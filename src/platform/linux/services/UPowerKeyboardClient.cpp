#include "platform/linux/services/UPowerKeyboardClient.h"

#include <cmath>
#include <limits>

#include <QDBusMessage>

namespace brillex::x11 {
namespace {

constexpr const char* kCopyIDs = "copyKeyboardBacklightIDs";
constexpr const char* kGetter = "brightnessForKeyboard:";
constexpr const char* kSetter = "setBrightness:forKeyboard:";

QDBusMessage kbdBacklightCall(const char* method) {
    return QDBusMessage::createMethodCall("org.freedesktop.UPower", "/org/freedesktop/UPower/KbdBacklight",
                                          "org.freedesktop.UPower.KbdBacklight", method);
}

} // namespace

bool UPowerKeyboardClient::respondsTo(std::string_view selector) const {
    return selector == kCopyIDs || selector == kGetter || selector == kSetter;
}

platform::MethodAnswer UPowerKeyboardClient::receive(std::string_view selector, const MessageArguments& arguments) {
    if (selector == kCopyIDs) {
        unpack<>(selector, arguments);
        if (!maxBrightness()) return std::optional<std::vector<std::uint64_t>>();
        return std::optional<std::vector<std::uint64_t>>(std::vector<std::uint64_t>{kKeyboardID});
    }
    if (selector == kGetter) {
        const auto [keyboard] = unpack<std::uint64_t>(selector, arguments);
        return brightness(keyboard);
    }
    if (selector == kSetter) {
        const auto [level, keyboard] = unpack<float, std::uint64_t>(selector, arguments);
        return setBrightness(level, keyboard);
    }
    unrecognized(selector);
}

std::optional<int> UPowerKeyboardClient::askInt(const char* method) {
    const QDBusMessage reply = bus_.call(kbdBacklightCall(method), QDBus::Block, kTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        faults_.once(std::string("UPower: KbdBacklight.") + method + " failed (" + reply.errorName().toStdString() + ")");
        return std::nullopt;
    }
    if (reply.signature() != "i") {
        faults_.once(std::string("UPower: KbdBacklight.") + method + " answered '" + reply.signature().toStdString() +
                     "' instead of 'i'");
        return std::nullopt;
    }
    return reply.arguments().front().toInt();
}

std::optional<int> UPowerKeyboardClient::maxBrightness() {
    // Asked each time: the backlight can come and go with a docked keyboard.
    const auto maximum = askInt("GetMaxBrightness");
    if (maximum && *maximum <= 0) {
        faults_.once("UPower: KbdBacklight reports a maximum of " + std::to_string(*maximum));
        return std::nullopt;
    }
    return maximum;
}

float UPowerKeyboardClient::brightness(std::uint64_t keyboard) {
    // Not a number: the core then keeps the level it shows.
    constexpr float unknown = std::numeric_limits<float>::quiet_NaN();
    if (keyboard != kKeyboardID) return unknown;
    const auto maximum = maxBrightness();
    const auto level = maximum ? askInt("GetBrightness") : std::nullopt;
    if (!level) return unknown;
    return static_cast<float>(static_cast<double>(*level) / *maximum);
}

bool UPowerKeyboardClient::setBrightness(float level, std::uint64_t keyboard) {
    const auto maximum = keyboard == kKeyboardID ? maxBrightness() : std::nullopt;
    if (!maximum || !(level >= 0.0f && level <= 1.0f)) return false;
    QDBusMessage call = kbdBacklightCall("SetBrightness");
    call << static_cast<int>(std::lround(static_cast<double>(level) * *maximum));
    const QDBusMessage reply = bus_.call(call, QDBus::Block, kTimeoutMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return true;
    faults_.once("UPower: KbdBacklight.SetBrightness failed (" + reply.errorName().toStdString() + ")");
    return false;
}

} // namespace brillex::x11
