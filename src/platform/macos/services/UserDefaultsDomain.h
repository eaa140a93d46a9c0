#pragma once

#include "platform/macos/services/PropertyDomain.h"

namespace brillex::macos {

// The application's own user-defaults domain (its bundle identifier,
// org.brillex.Brillex), which `defaults read org.brillex.Brillex` shows.
class UserDefaultsDomain : public PropertyDomain {
public:
    std::optional<PropertyValue> value(const std::string& key) const override;
    void setValue(const std::string& key, const PropertyValue& value) override;
    void removeValue(const std::string& key) override;
    Subscription observeChanges(std::function<void()> changed) override;
};

} // namespace brillex::macos
