#include "platform/macos/services/UserDefaultsDomain.h"

#import <Foundation/Foundation.h>

#include "platform/macos/services/Notifications.h"
#include "platform/macos/services/PropertyValues.h"
#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

std::optional<PropertyValue> UserDefaultsDomain::value(const std::string& key) const {
    id object = [NSUserDefaults.standardUserDefaults objectForKey:stringOf(key)];
    if (!object) return std::nullopt;
    return propertyValueOf(object);
}

void UserDefaultsDomain::setValue(const std::string& key, const PropertyValue& value) {
    [NSUserDefaults.standardUserDefaults setObject:objectOf(value) forKey:stringOf(key)];
}

void UserDefaultsDomain::removeValue(const std::string& key) {
    [NSUserDefaults.standardUserDefaults removeObjectForKey:stringOf(key)];
}

Subscription UserDefaultsDomain::observeChanges(std::function<void()> changed) {
    return observeOnMainQueue(NSNotificationCenter.defaultCenter, NSUserDefaultsDidChangeNotification,
                              std::move(changed));
}

} // namespace brillex::macos
