#include "platform/macos/services/MacAppearance.h"

#import <AppKit/AppKit.h>

#include "platform/macos/services/Notifications.h"
#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

std::optional<std::string> MacAppearance::bestMatch(const std::vector<std::string>& names) const {
    // The appearance names' values are their own names ("NSAppearanceNameDarkAqua").
    NSMutableArray<NSAppearanceName>* candidates = [NSMutableArray array];
    for (const auto& name : names) {
        if (NSString* candidate = stringOf(name)) [candidates addObject:candidate];
    }
    NSAppearanceName match = [NSApp.effectiveAppearance bestMatchFromAppearancesWithNames:candidates];
    if (!match) return std::nullopt;
    return textOf(match);
}

Subscription MacAppearance::observeThemeChanges(std::function<void()> changed) {
    return observeOnMainQueue(NSDistributedNotificationCenter.defaultCenter, @"AppleInterfaceThemeChangedNotification",
                              std::move(changed));
}

} // namespace brillex::macos
