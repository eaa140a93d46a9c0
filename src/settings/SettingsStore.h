#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "base/Signal.h"

namespace brillex {

// What a per-user store can hold under a key: a Boolean, an integer or a text.
using SettingValue = std::variant<bool, long long, std::string>;

// The per-user key-value store the settings live in. Values are kept exactly
// as written: nothing is clamped, validated or converted between types.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The value under `key`, or nothing when the key was never written (or removed).
    virtual std::optional<SettingValue> get(const std::string& key) const = 0;
    virtual void set(const std::string& key, SettingValue value) = 0;
    virtual void remove(const std::string& key) = 0;

    // `changed` runs on the main loop, in a task posted after every set or
    // remove (one task per write, also when the value is the same as before).
    [[nodiscard]] virtual Subscription observeChanges(std::function<void()> changed) = 0;
};

} // namespace brillex
