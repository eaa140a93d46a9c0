#include "platform/macos/services/UserDefaultsStore.h"

#include "platform/macos/services/DefaultsValues.h"

namespace brillex::macos {

UserDefaultsStore::UserDefaultsStore(PropertyDomain& domain, MainLoop& loop) : domain_(domain) {
    std::weak_ptr<Signal<>> weak = changed_;
    domainChanges_ = domain_.observeChanges([weak, &loop] {
        loop.post([weak] {
            if (auto signal = weak.lock()) signal->emit();
        });
    });
}

std::optional<SettingValue> UserDefaultsStore::get(const std::string& key) const {
    const auto value = domain_.value(key);
    if (!value) return std::nullopt;
    return settingValueOf(*value);
}

void UserDefaultsStore::set(const std::string& key, SettingValue value) { domain_.setValue(key, propertyValueOf(value)); }

void UserDefaultsStore::remove(const std::string& key) { domain_.removeValue(key); }

Subscription UserDefaultsStore::observeChanges(std::function<void()> changed) {
    return changed_->connect(std::move(changed));
}

} // namespace brillex::macos
