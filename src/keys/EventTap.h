#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace brillex {

// What a tap's filter sees of one event: the raw event type and, when the
// event converts to an application event, its subtype and data word.
struct TapEvent {
    struct Fields {
        std::int16_t subtype = 0;
        std::int64_t data1 = 0;
    };
    std::uint32_t type = 0;
    std::optional<Fields> fields;
};

enum class TapVerdict { pass, swallow };

// Runs on the main thread for each event the tap's mask selects; it must
// answer at once, the system's event delivery waits for it.
using TapFilter = std::function<TapVerdict(const TapEvent&)>;

// An active filter installed where input events enter the system, ahead of
// every other tap. It sees events only while it is on the main run loop and
// enabled; events it swallows reach nobody.
class EventTap {
public:
    virtual ~EventTap() = default;

    virtual void addToMainRunLoop() = 0;
    virtual void removeFromMainRunLoop() = 0;
    virtual void setEnabled(bool enabled) = 0;
};

// Creates event taps.
class EventTapService {
public:
    virtual ~EventTapService() = default;

    // A tap for the event types whose bits are set in `eventMask` (bit N for
    // type N); null when the system refuses one. The filter lives as long as
    // the tap.
    virtual std::unique_ptr<EventTap> createTap(std::uint64_t eventMask, TapFilter filter) = 0;
};

} // namespace brillex
