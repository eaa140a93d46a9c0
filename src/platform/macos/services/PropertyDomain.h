#pragma once

#include <functional>
#include <optional>
#include <string>

#include "base/Signal.h"
#include "platform/macos/services/PropertyValue.h"

namespace brillex::macos {

// A per-user domain of property-list values: the application's user defaults.
class PropertyDomain {
public:
    virtual ~PropertyDomain() = default;

    virtual std::optional<PropertyValue> value(const std::string& key) const = 0;
    virtual void setValue(const std::string& key, const PropertyValue& value) = 0;
    virtual void removeValue(const std::string& key) = 0;
    // Runs `changed` on the main thread after each change made to the domain
    // (the system's did-change notification).
    [[nodiscard]] virtual Subscription observeChanges(std::function<void()> changed) = 0;
};

} // namespace brillex::macos
