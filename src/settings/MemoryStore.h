#pragma once

#include <map>
#include <memory>

#include "base/MainLoop.h"
#include "settings/SettingsStore.h"

namespace brillex {

// A store that lives in memory only: for tests and the simulated computer.
class MemoryStore : public SettingsStore {
public:
    explicit MemoryStore(MainLoop& loop);
    MemoryStore(const MemoryStore&) = delete;
    MemoryStore& operator=(const MemoryStore&) = delete;

    std::optional<SettingValue> get(const std::string& key) const override;
    void set(const std::string& key, SettingValue value) override;
    void remove(const std::string& key) override;
    Subscription observeChanges(std::function<void()> changed) override;

private:
    void postChange();

    MainLoop& loop_;
    std::map<std::string, SettingValue> values_;
    // Shared with the posted notification tasks, which do nothing once the store is gone.
    std::shared_ptr<Signal<>> changed_ = std::make_shared<Signal<>>();
};

} // namespace brillex
