#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace brillex::macos {

// A value of a property list (user defaults, IOKit descriptions) by the kind
// the system reports it as: a Boolean, an integral or a fractional number, a
// text, or another kind (data, date, array, dictionary), kept as its
// description.
struct OtherPropertyValue {
    std::string description;
    bool operator==(const OtherPropertyValue&) const = default;
};
using PropertyValue = std::variant<OtherPropertyValue, bool, std::int64_t, double, std::string>;

// One entry of a dictionary; no key when the key is not a text.
struct PropertyEntry {
    std::optional<std::string> key;
    PropertyValue value;
};
using PropertyEntries = std::vector<PropertyEntry>;

} // namespace brillex::macos
