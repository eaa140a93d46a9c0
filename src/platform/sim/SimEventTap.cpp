#include "platform/sim/SimEventTap.h"

#include <algorithm>

namespace brillex::sim {

// Unregisters itself when dropped, even after the simulated computer is gone.
class SimEventTap::Tap : public EventTap {
public:
    Tap(std::weak_ptr<Registry> registry, std::uint64_t mask, TapFilter filter) : registry_(std::move(registry)) {
        state_.mask = mask;
        state_.filter = std::move(filter);
        if (auto taps = registry_.lock()) taps->push_back(&state_);
    }
    ~Tap() override {
        if (auto taps = registry_.lock()) std::erase(*taps, &state_);
    }

    void addToMainRunLoop() override { state_.onRunLoop = true; }
    void removeFromMainRunLoop() override { state_.onRunLoop = false; }
    void setEnabled(bool enabled) override { state_.enabled = enabled; }

private:
    std::weak_ptr<Registry> registry_;
    TapState state_;
};

SimEventTap::SimEventTap() : taps_(std::make_shared<Registry>()) {}

std::unique_ptr<EventTap> SimEventTap::createTap(std::uint64_t eventMask, TapFilter filter) {
    ++attempts_;
    lastMask_ = eventMask;
    if (creationFails_) return nullptr;
    return std::make_unique<Tap>(taps_, eventMask, std::move(filter));
}

SimEventTap::Delivery SimEventTap::inject(const TapEvent& event) {
    bool listened = false;
    // A filter may remove taps while it runs; walk a copy, newest first.
    const auto taps = *taps_;
    for (auto it = taps.rbegin(); it != taps.rend(); ++it) {
        if (std::find(taps_->begin(), taps_->end(), *it) == taps_->end()) continue;
        const TapState& tap = **it;
        if (!tap.onRunLoop || !tap.enabled) continue;
        listened = true;
        const bool selected = event.type < 64 && (tap.mask >> event.type & 1u) != 0;
        if (selected && tap.filter && tap.filter(event) == TapVerdict::swallow) return Delivery::swallowed;
    }
    return listened ? Delivery::passed : Delivery::noTap;
}

std::size_t SimEventTap::tapCount() const {
    return taps_->size();
}

std::size_t SimEventTap::listeningTapCount() const {
    return static_cast<std::size_t>(
        std::count_if(taps_->begin(), taps_->end(), [](const TapState* t) { return t->onRunLoop && t->enabled; }));
}

TapEvent SimEventTap::auxiliaryKey(std::uint32_t code, bool down) {
    const std::int64_t state = down ? 0x0A : 0x0B;
    return TapEvent{14, TapEvent::Fields{8, static_cast<std::int64_t>(code) << 16 | state << 8}};
}

TapEvent SimEventTap::otherType() {
    // An ordinary key-down.
    return TapEvent{10, TapEvent::Fields{0, 0}};
}

} // namespace brillex::sim
