#include "platform/macos/services/MacEventTaps.h"

#import <AppKit/AppKit.h>
#include <ApplicationServices/ApplicationServices.h>

namespace brillex::macos {

namespace {

// Where events enter the system, before other taps, as an active filter.
constexpr CGEventTapLocation kLocation = kCGHIDEventTap;
constexpr CGEventTapPlacement kPlacement = kCGHeadInsertEventTap;
constexpr CGEventTapOptions kOptions = kCGEventTapOptionDefault;
static_assert(kLocation == 0 && kPlacement == 0 && kOptions == 0);

// The kinds of application event that carry a subtype and a data word;
// asking any other kind for the data word raises (mouse events have a
// subtype but no data word).
bool carriesData(NSEventType type) {
    return type == NSEventTypeAppKitDefined || type == NSEventTypeSystemDefined ||
           type == NSEventTypeApplicationDefined || type == NSEventTypePeriodic;
}

class MacEventTap : public EventTap {
public:
    explicit MacEventTap(TapFilter filter) : filter_(std::move(filter)) {}
    MacEventTap(const MacEventTap&) = delete;
    MacEventTap& operator=(const MacEventTap&) = delete;

    ~MacEventTap() override {
        if (!port_) return;
        CGEventTapEnable(port_, false);
        removeFromMainRunLoop();
        CFMachPortInvalidate(port_);
        if (source_) CFRelease(source_);
        CFRelease(port_);
    }

    bool open(CGEventMask mask) {
        port_ = CGEventTapCreate(kLocation, kPlacement, kOptions, mask, &MacEventTap::filter, this);
        if (!port_) return false;
        source_ = CFMachPortCreateRunLoopSource(kCFAllocatorDefault, port_, 0);
        return source_ != nullptr;
    }

    void addToMainRunLoop() override {
        if (source_) CFRunLoopAddSource(CFRunLoopGetMain(), source_, kCFRunLoopCommonModes);
    }
    void removeFromMainRunLoop() override {
        if (source_) CFRunLoopRemoveSource(CFRunLoopGetMain(), source_, kCFRunLoopCommonModes);
    }
    void setEnabled(bool enabled) override { CGEventTapEnable(port_, enabled); }

private:
    // Answers at once: the system's event delivery waits for it.
    static CGEventRef filter(CGEventTapProxy, CGEventType type, CGEventRef event, void* userInfo) {
        auto* tap = static_cast<MacEventTap*>(userInfo);
        if (!tap) return event;
        TapEvent seen;
        seen.type = static_cast<std::uint32_t>(type);
        // The tap's own notices of being disabled are no events: AppKit raises
        // when asked to convert one, and the raise would cross the callback.
        const bool notice = type == kCGEventTapDisabledByTimeout || type == kCGEventTapDisabledByUserInput;
        if (!notice) @autoreleasepool {
            NSEvent* converted = [NSEvent eventWithCGEvent:event];
            if (converted && carriesData(converted.type)) {
                seen.fields = TapEvent::Fields{converted.subtype, static_cast<std::int64_t>(converted.data1)};
            }
        }
        return tap->filter_(seen) == TapVerdict::swallow ? nullptr : event;
    }

    TapFilter filter_;
    CFMachPortRef port_ = nullptr;
    CFRunLoopSourceRef source_ = nullptr;
};

} // namespace

std::unique_ptr<EventTap> MacEventTaps::createTap(std::uint64_t eventMask, TapFilter filter) {
    auto tap = std::make_unique<MacEventTap>(std::move(filter));
    if (!tap->open(eventMask)) return nullptr;
    return tap;
}

} // namespace brillex::macos
