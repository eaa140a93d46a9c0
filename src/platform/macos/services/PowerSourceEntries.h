#pragma once

#include <optional>

#include "platform/macos/services/PropertyValue.h"
#include "power/PowerSources.h"

namespace brillex::macos {

// A power source's description dictionary as the core reads it: every entry
// of a kind the core knows, under its key. A dictionary with a key that is not
// a text gives none, as a description not in that form does; an entry of
// another kind is left out, as a missing key would be.
std::optional<PowerSourceDescription> powerSourceDescriptionOf(const PropertyEntries& entries);

} // namespace brillex::macos
