#include "settings/SettingsReader.h"

#include <string_view>

#include "base/Format.h"
#include "base/Log.h"

namespace brillex {
namespace {

std::string_view typeOf(const SettingValue& value) {
    switch (value.index()) {
    case 0: return "a Boolean";
    case 1: return "an integer";
    default: return "a text";
    }
}

} // namespace

template <class T>
T SettingsReader::read(const std::string& key, const T& fallback, const char* typeName,
                       const std::string& shownDefault) const {
    const auto value = store_.get(key);
    if (!value) return fallback;
    if (const auto* typed = std::get_if<T>(&*value)) {
        reported_.erase(key);
        return *typed;
    }
    // Reads happen on every timer tick and key press: say it once, not each time.
    if (reported_.insert(key).second) {
        logLine("Setting \"" + key + "\" holds " + std::string(typeOf(*value)) + " instead of " + typeName +
                "; using the default " + shownDefault);
    }
    return fallback;
}

bool SettingsReader::boolean(const std::string& key, bool fallback) const {
    return read<bool>(key, fallback, "a Boolean", formatBool(fallback));
}

long long SettingsReader::integer(const std::string& key, long long fallback) const {
    return read<long long>(key, fallback, "an integer", std::to_string(fallback));
}

std::string SettingsReader::text(const std::string& key, const std::string& fallback) const {
    return read<std::string>(key, fallback, "a text", "\"" + fallback + "\"");
}

} // namespace brillex
