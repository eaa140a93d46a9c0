#pragma once

#include <optional>

#include <QDBusConnection>

#include "platform/common/RegisteredClass.h"
#include "platform/linux/services/FaultLog.h"

namespace brillex::x11 {

// UPower's keyboard backlight (org.freedesktop.UPower.KbdBacklight) served as
// the keyboard-brightness client class: one backlight, id 1, while UPower
// answers for it with a maximum above 0. Levels are fractions of that
// maximum, set to its nearest step.
class UPowerKeyboardClient : public platform::RegisteredClass {
public:
    static constexpr int kTimeoutMs = 1000;
    static constexpr std::uint64_t kKeyboardID = 1;

    explicit UPowerKeyboardClient(QDBusConnection systemBus) : bus_(std::move(systemBus)) {}

    bool respondsTo(std::string_view selector) const override;
    platform::MethodAnswer receive(std::string_view selector, const MessageArguments& arguments) override;

private:
    std::optional<int> askInt(const char* method);
    std::optional<int> maxBrightness();
    float brightness(std::uint64_t keyboard);
    bool setBrightness(float level, std::uint64_t keyboard);

    QDBusConnection bus_;
    FaultLog faults_;
};

} // namespace brillex::x11
