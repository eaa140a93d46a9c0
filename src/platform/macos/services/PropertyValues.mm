#include "platform/macos/services/PropertyValues.h"

#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

PropertyValue propertyValueOf(id value) {
    CFTypeRef object = (__bridge CFTypeRef)value;
    if (object && CFGetTypeID(object) == CFBooleanGetTypeID()) return CFBooleanGetValue((CFBooleanRef)object) != 0;
    if ([value isKindOfClass:NSNumber.class]) {
        CFNumberRef number = (CFNumberRef)object;
        if (!CFNumberIsFloatType(number)) {
            std::int64_t integral = 0;
            // Lossy only for unsigned values above the signed range: those are kept as fractions.
            if (CFNumberGetValue(number, kCFNumberSInt64Type, &integral)) return integral;
        }
        return [(NSNumber*)value doubleValue];
    }
    if ([value isKindOfClass:NSString.class]) return textOf((NSString*)value);
    return OtherPropertyValue{value ? textOf([value description]) : std::string()};
}

id objectOf(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> id {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) return [NSNumber numberWithBool:v];
            else if constexpr (std::is_same_v<T, std::int64_t>) return [NSNumber numberWithLongLong:v];
            else if constexpr (std::is_same_v<T, double>) return [NSNumber numberWithDouble:v];
            else if constexpr (std::is_same_v<T, std::string>) return stringOf(v);
            else return stringOf(v.description);
        },
        value);
}

std::optional<PropertyEntries> entriesOf(id object) {
    if (![object isKindOfClass:NSDictionary.class]) return std::nullopt;
    NSDictionary* dictionary = (NSDictionary*)object;
    PropertyEntries entries;
    for (id key in dictionary) {
        PropertyEntry entry{std::nullopt, propertyValueOf(dictionary[key])};
        if ([key isKindOfClass:NSString.class]) entry.key = textOf((NSString*)key);
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace brillex::macos
