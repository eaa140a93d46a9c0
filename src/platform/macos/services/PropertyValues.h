#pragma once

#import <Foundation/Foundation.h>

#include "platform/macos/services/PropertyValue.h"

namespace brillex::macos {

// A property-list object by its kind: Core Foundation's Boolean is not a
// number here, and a number is integral unless it is stored as a float type.
PropertyValue propertyValueOf(id value);
// The object that stores a value as its kind.
id objectOf(const PropertyValue& value);
// A dictionary's entries; none when `object` is not a dictionary.
std::optional<PropertyEntries> entriesOf(id object);

} // namespace brillex::macos
