#pragma once

#include "app/GlobalEventMonitor.h"

namespace brillex::macos {

// AppKit's global monitors: events delivered to other applications only.
class MacGlobalEventMonitor : public GlobalEventMonitor {
public:
    std::optional<Subscription> addGlobalMonitor(std::uint64_t mask, std::function<void()> handler) override;
};

} // namespace brillex::macos
