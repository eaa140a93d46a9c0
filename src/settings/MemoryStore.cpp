#include "settings/MemoryStore.h"

namespace brillex {

MemoryStore::MemoryStore(MainLoop& loop) : loop_(loop) {}

std::optional<SettingValue> MemoryStore::get(const std::string& key) const {
    const auto it = values_.find(key);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

void MemoryStore::set(const std::string& key, SettingValue value) {
    values_.insert_or_assign(key, std::move(value));
    postChange();
}

void MemoryStore::remove(const std::string& key) {
    values_.erase(key);
    postChange();
}

Subscription MemoryStore::observeChanges(std::function<void()> changed) {
    return changed_->connect(std::move(changed));
}

void MemoryStore::postChange() {
    loop_.post([weak = std::weak_ptr<Signal<>>(changed_)] {
        if (auto changed = weak.lock()) changed->emit();
    });
}

} // namespace brillex
