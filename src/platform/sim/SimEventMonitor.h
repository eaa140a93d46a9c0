#pragma once

#include <cstdint>

#include "app/GlobalEventMonitor.h"
#include "base/Signal.h"

namespace brillex::sim {

// Mouse-downs in other applications of the simulated desktop.
class SimEventMonitor : public GlobalEventMonitor {
public:
    std::optional<Subscription> addGlobalMonitor(std::uint64_t mask, std::function<void()> handler) override;

    // Whether installing a monitor succeeds (it does by default).
    void setInstalls(bool installs) { installs_ = installs; }
    // A mouse-down of this kind (an EventMask bit) delivered to another application.
    void eventElsewhere(std::uint64_t kind) { events_.emit(kind); }
    std::size_t monitorCount() const { return events_.connectionCount(); }

private:
    bool installs_ = true;
    Signal<std::uint64_t> events_;
};

} // namespace brillex::sim
