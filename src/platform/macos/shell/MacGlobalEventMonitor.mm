#include "platform/macos/shell/MacGlobalEventMonitor.h"

#import <AppKit/AppKit.h>

namespace brillex::macos {

std::optional<Subscription> MacGlobalEventMonitor::addGlobalMonitor(std::uint64_t mask,
                                                                    std::function<void()> handler) {
    // The core's mask bits are AppKit's event-type numbers, as NSEventMaskFromType makes them.
    static_assert(EventMask::leftMouseDown == NSEventMaskLeftMouseDown &&
                  EventMask::rightMouseDown == NSEventMaskRightMouseDown);
    id token = [NSEvent addGlobalMonitorForEventsMatchingMask:static_cast<NSEventMask>(mask)
                                                      handler:^(NSEvent*) {
                                                          handler();
                                                      }];
    if (!token) return std::nullopt;
    return Subscription([token] { [NSEvent removeMonitor:token]; });
}

} // namespace brillex::macos
