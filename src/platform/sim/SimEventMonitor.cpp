#include "platform/sim/SimEventMonitor.h"

namespace brillex::sim {

std::optional<Subscription> SimEventMonitor::addGlobalMonitor(std::uint64_t mask, std::function<void()> handler) {
    if (!installs_) return std::nullopt;
    return events_.connect([mask, handler = std::move(handler)](std::uint64_t kind) {
        if ((kind & mask) != 0) handler();
    });
}

} // namespace brillex::sim
