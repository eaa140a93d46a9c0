#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <QDBusConnection>

namespace brillex::x11 {

// The caller's own login session in logind, on the system bus. logind lets
// the session's user set a backlight without root.
class LogindSession {
public:
    // Answers within this many milliseconds or counts as failed.
    static constexpr int kTimeoutMs = 1000;

    explicit LogindSession(QDBusConnection systemBus) : bus_(std::move(systemBus)) {}

    // org.freedesktop.login1.Session.SetBrightness; the error as
    // "NAME: MESSAGE" when logind refuses or does not answer.
    std::optional<std::string> setBrightness(const std::string& subsystem, const std::string& device,
                                             std::uint32_t level) const;

private:
    QDBusConnection bus_;
};

} // namespace brillex::x11
