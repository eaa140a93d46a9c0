#include "platform/sim/SimLoginItems.h"

namespace brillex::sim {

std::optional<std::string> SimLoginItems::registerItem() { return change(true); }
std::optional<std::string> SimLoginItems::unregisterItem() { return change(false); }

std::optional<std::string> SimLoginItems::change(bool registered) {
    if (failure_) return failure_;
    registered_ = registered;
    return std::nullopt;
}

} // namespace brillex::sim
