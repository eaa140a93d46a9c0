#pragma once

#include <optional>
#include <string>

#include "platform/common/ClassRegistry.h"

namespace brillex::sim {

// A simulated display-feature client (`CBBlueLightClient`, `CBTrueToneClient`)
// and the feature behind it, which it reads through `getter` and switches
// through "setEnabled:".
class SimFeatureClient : public platform::RegisteredClass {
public:
    explicit SimFeatureClient(std::string getter, std::optional<bool> supported = std::nullopt)
        : supported(supported), getter_(std::move(getter)) {}

    bool enabled = false;
    bool hasGetter = true;
    bool hasSetter = true;
    // What "supported" answers; none: the class lacks the selector.
    std::optional<bool> supported;

    bool respondsTo(std::string_view selector) const override;
    platform::MethodAnswer receive(std::string_view selector, const MessageArguments& arguments) override;

private:
    std::string getter_;
};

} // namespace brillex::sim
