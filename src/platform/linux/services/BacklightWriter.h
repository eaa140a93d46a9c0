#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QDBusConnection>

#include "platform/linux/services/LogindSession.h"
#include "platform/linux/services/SysfsBacklight.h"

namespace brillex::x11 {

// Sets a backlight device's level through logind, which lets the session's
// user do it without root, or straight into its file where logind refuses.
// Once the file takes a write, logind is not asked again: one that refused
// (or timed out) would only cost each later write its timeout.
class BacklightWriter {
public:
    explicit BacklightWriter(QDBusConnection systemBus) : session_(std::move(systemBus)) {}

    // 0, or the errno of the write into the file; `refused` hears logind's
    // reason before that write is tried.
    int write(const SysfsBacklight& device, std::uint32_t level,
              const std::function<void(const std::string&)>& refused = {});

private:
    LogindSession session_;
    bool writeDirectly_ = false;
};

} // namespace brillex::x11
