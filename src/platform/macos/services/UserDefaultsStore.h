#pragma once

#include <memory>

#include "base/MainLoop.h"
#include "platform/macos/services/PropertyDomain.h"
#include "settings/SettingsStore.h"

namespace brillex::macos {

// The settings store on the application's user defaults. Each change the
// domain announces is passed on in a task posted on the main loop, so that
// listeners run after the write has returned, as on every other store.
class UserDefaultsStore : public SettingsStore {
public:
    UserDefaultsStore(PropertyDomain& domain, MainLoop& loop);
    UserDefaultsStore(const UserDefaultsStore&) = delete;
    UserDefaultsStore& operator=(const UserDefaultsStore&) = delete;

    std::optional<SettingValue> get(const std::string& key) const override;
    void set(const std::string& key, SettingValue value) override;
    void remove(const std::string& key) override;
    Subscription observeChanges(std::function<void()> changed) override;

private:
    PropertyDomain& domain_;
    // Shared with the posted tasks, which do nothing once the store is gone.
    std::shared_ptr<Signal<>> changed_ = std::make_shared<Signal<>>();
    Subscription domainChanges_;
};

} // namespace brillex::macos
