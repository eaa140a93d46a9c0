#include "platform/sim/SimFeatureClient.h"

namespace brillex::sim {

bool SimFeatureClient::respondsTo(std::string_view selector) const {
    if (selector == getter_) return hasGetter;
    if (selector == "setEnabled:") return hasSetter;
    if (selector == "supported") return supported.has_value();
    return false;
}

platform::MethodAnswer SimFeatureClient::receive(std::string_view selector, const MessageArguments& arguments) {
    if (selector == getter_) {
        unpack<>(selector, arguments);
        return enabled;
    }
    if (selector == "setEnabled:") {
        std::tie(enabled) = unpack<bool>(selector, arguments);
        return {};
    }
    if (selector == "supported") {
        unpack<>(selector, arguments);
        return *supported;
    }
    unrecognized(selector);
}

} // namespace brillex::sim
