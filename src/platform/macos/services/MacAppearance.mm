#include "platform/macos/services/MacAppearance.h"

#import <AppKit/AppKit.h>

#include "platform/macos/services/Notifications.h"

namespace brillex::macos {

std::optional<std::string> MacAppearance::bestMatch(const std::vector<std::string>& names) const {
    // The appearance names' values are their own names ("NSAppearanceNameDarkAqua").
    NSMutableArray<NSAppearanceName>* candidates = [NSMutableArray array];
    for (const auto& name : names) [candidates addObject:[NSString stringWithUTF8String:name.c_str()]];
    NSAppearanceName match = [NSApp.effectiveAppearance bestMatchFromAppearancesWithNames:candidates];
    if (!match) return std::nullopt;
    return std::string(match.UTF8String);
}

Subscription MacAppearance::observeThemeChanges(std::function<void()> changed) {
    return observeOnMainQueue(NSDistributedNotificationCenter.defaultCenter, @"AppleInterfaceThemeChangedNotification",
                              std::move(changed));
}

} // namespace brillex::macos
