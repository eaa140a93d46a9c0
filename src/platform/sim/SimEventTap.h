#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "keys/EventTap.h"

namespace brillex::sim {

// The simulated event taps, and the events the test script injects into
// the system's stream.
class SimEventTap : public EventTapService {
public:
    enum class Delivery { passed, swallowed, noTap };

    SimEventTap();
    std::unique_ptr<EventTap> createTap(std::uint64_t eventMask, TapFilter filter) override;

    void setCreationFails(bool fails) { creationFails_ = fails; }

    // Hands the event to the enabled taps on the run loop, newest first (each
    // is placed at the head); noTap when no tap is listening at all.
    Delivery inject(const TapEvent& event);

    // Taps that exist, and those that are listening (on the run loop, enabled).
    std::size_t tapCount() const;
    std::size_t listeningTapCount() const;
    int creationAttempts() const { return attempts_; }
    std::uint64_t lastMask() const { return lastMask_; }

    // A system-defined event (type 14) of the auxiliary buttons (subtype 8):
    // key `code` going down or up.
    static TapEvent auxiliaryKey(std::uint32_t code, bool down);
    // An event of another type, such as an ordinary key press.
    static TapEvent otherType();

private:
    struct TapState {
        std::uint64_t mask = 0;
        TapFilter filter;
        bool onRunLoop = false;
        bool enabled = false;
    };
    class Tap;
    using Registry = std::vector<TapState*>;

    std::shared_ptr<Registry> taps_;
    bool creationFails_ = false;
    int attempts_ = 0;
    std::uint64_t lastMask_ = 0;
};

} // namespace brillex::sim
