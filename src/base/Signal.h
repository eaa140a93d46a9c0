#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace brillex {

// Keeps a connection alive; destroying or cancelling it disconnects. A closure
// registered through a Subscription therefore never outlives its owner.
class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, nullptr)) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            cancel();
            cancel_ = std::exchange(other.cancel_, nullptr);
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { cancel(); }

    void cancel() {
        if (auto c = std::exchange(cancel_, nullptr)) c();
    }
    bool isActive() const { return static_cast<bool>(cancel_); }

private:
    std::function<void()> cancel_;
};

// Calls its slots in the order they connected. Slots may connect or disconnect
// (themselves or others) while the signal is being emitted.
template <class... Args>
class Signal {
public:
    using Slot = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Subscription connect(Slot slot) {
        auto entry = std::make_shared<Entry>(Entry{std::move(slot), true});
        state_->entries.push_back(entry);
        std::weak_ptr<State> weakState = state_;
        std::weak_ptr<Entry> weakEntry = entry;
        return Subscription([weakState, weakEntry] {
            auto entry = weakEntry.lock();
            if (!entry) return;
            entry->connected = false;
            if (auto state = weakState.lock()) {
                std::erase_if(state->entries, [&](const auto& e) { return e == entry; });
            }
        });
    }

    void emit(Args... args) const {
        auto snapshot = state_->entries;
        for (const auto& entry : snapshot) {
            if (entry->connected) entry->slot(args...);
        }
    }

    std::size_t connectionCount() const { return state_->entries.size(); }

private:
    struct Entry {
        Slot slot;
        bool connected;
    };
    struct State {
        std::vector<std::shared_ptr<Entry>> entries;
    };
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

} // namespace brillex
