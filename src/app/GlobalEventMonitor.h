#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "base/Signal.h"

namespace brillex {

// Event kinds as bits of a monitor's mask (the system's event-type numbers).
namespace EventMask {
inline constexpr std::uint64_t leftMouseDown = std::uint64_t{1} << 1;
inline constexpr std::uint64_t rightMouseDown = std::uint64_t{1} << 3;
} // namespace EventMask

// Watches input delivered to other applications.
class GlobalEventMonitor {
public:
    virtual ~GlobalEventMonitor() = default;

    // Runs `handler` on the main thread for each event of a kind in `mask`
    // that the system delivers to another application (never for events to
    // this program). Returns the monitor's token, or nothing when the system
    // installed no monitor; dropping the token removes the monitor.
    [[nodiscard]] virtual std::optional<Subscription> addGlobalMonitor(std::uint64_t mask,
                                                                        std::function<void()> handler) = 0;
};

} // namespace brillex
