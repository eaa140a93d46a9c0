#include "platform/macos/services/DefaultsValues.h"

#include "base/Format.h"

namespace brillex::macos {

PropertyValue propertyValueOf(const SettingValue& value) {
    return std::visit(
        [](const auto& v) -> PropertyValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, long long>) return std::int64_t{v};
            else return v;
        },
        value);
}

SettingValue settingValueOf(const PropertyValue& value) {
    return std::visit(
        [](const auto& v) -> SettingValue {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, bool>) return v;
            else if constexpr (std::is_same_v<T, std::int64_t>) return static_cast<long long>(v);
            else if constexpr (std::is_same_v<T, double>) return formatNumber(v);
            else if constexpr (std::is_same_v<T, std::string>) return v;
            else return v.description;
        },
        value);
}

} // namespace brillex::macos
