#include "platform/macos/services/PowerSourceEntries.h"

namespace brillex::macos {

std::optional<PowerSourceDescription> powerSourceDescriptionOf(const PropertyEntries& entries) {
    PowerSourceDescription description;
    for (const auto& entry : entries) {
        if (!entry.key) return std::nullopt;
        std::visit(
            [&](const auto& value) {
                using T = std::decay_t<decltype(value)>;
                if constexpr (!std::is_same_v<T, OtherPropertyValue>) description.insert_or_assign(*entry.key, value);
            },
            entry.value);
    }
    return description;
}

} // namespace brillex::macos
