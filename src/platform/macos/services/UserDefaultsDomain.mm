#include "platform/macos/services/UserDefaultsDomain.h"

#import <Foundation/Foundation.h>

#include "platform/macos/services/Notifications.h"
#include "platform/macos/services/PropertyValues.h"

namespace brillex::macos {

namespace {
NSString* keyOf(const std::string& key) { return [NSString stringWithUTF8String:key.c_str()]; }
} // namespace

std::optional<PropertyValue> UserDefaultsDomain::value(const std::string& key) const {
    id object = [NSUserDefaults.standardUserDefaults objectForKey:keyOf(key)];
    if (!object) return std::nullopt;
    return propertyValueOf(object);
}

void UserDefaultsDomain::setValue(const std::string& key, const PropertyValue& value) {
    [NSUserDefaults.standardUserDefaults setObject:objectOf(value) forKey:keyOf(key)];
}

void UserDefaultsDomain::removeValue(const std::string& key) {
    [NSUserDefaults.standardUserDefaults removeObjectForKey:keyOf(key)];
}

Subscription UserDefaultsDomain::observeChanges(std::function<void()> changed) {
    return observeOnMainQueue(NSNotificationCenter.defaultCenter, NSUserDefaultsDidChangeNotification,
                              std::move(changed));
}

} // namespace brillex::macos
