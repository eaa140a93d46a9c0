#pragma once

#include <set>
#include <string>

#include "settings/SettingsStore.h"

namespace brillex {

// Typed reads from the store. An absent key reads as the given default; so does
// a value of another type, which is left in the store as it is and reported in
// one log line until the key reads well again.
class SettingsReader {
public:
    explicit SettingsReader(SettingsStore& store) : store_(store) {}

    bool boolean(const std::string& key, bool fallback) const;
    long long integer(const std::string& key, long long fallback) const;
    std::string text(const std::string& key, const std::string& fallback) const;

    SettingsStore& store() const { return store_; }

private:
    template <class T>
    T read(const std::string& key, const T& fallback, const char* typeName, const std::string& shownDefault) const;

    SettingsStore& store_;
    mutable std::set<std::string> reported_;
};

} // namespace brillex
