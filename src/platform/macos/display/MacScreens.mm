#include "platform/macos/display/MacScreens.h"

#import <AppKit/AppKit.h>
#include <CoreGraphics/CoreGraphics.h>

#include <limits>

#include "platform/macos/services/Notifications.h"
#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

namespace {

// The display number of a screen, when its description holds one that reads
// as an unsigned 32-bit integer.
std::optional<DisplayId> displayIdOf(NSScreen* screen) {
    id number = screen.deviceDescription[@"NSScreenNumber"];
    if (![number isKindOfClass:NSNumber.class]) return std::nullopt;
    const double value = [(NSNumber*)number doubleValue];
    if (!(value >= 0.0 && value <= std::numeric_limits<DisplayId>::max())) return std::nullopt;
    const auto id = static_cast<DisplayId>(value);
    if (static_cast<double>(id) != value) return std::nullopt;
    return id;
}

Screen screenOf(NSScreen* screen) {
    Screen described;
    described.displayId = displayIdOf(screen);
    described.name = textOf(screen.localizedName);
    described.maxPotentialEDR = screen.maximumPotentialExtendedDynamicRangeColorComponentValue;
    described.maxReferenceEDR = screen.maximumReferenceExtendedDynamicRangeColorComponentValue;
    described.frame = rectOf(screen.frame);
    described.visibleFrame = rectOf(screen.visibleFrame);
    return described;
}

} // namespace

std::vector<Screen> MacScreens::screens() const {
    std::vector<Screen> attached;
    for (NSScreen* screen in NSScreen.screens) attached.push_back(screenOf(screen));
    return attached;
}

bool MacScreens::isBuiltIn(DisplayId id) const { return CGDisplayIsBuiltin(id) != 0; }

DisplayId MacScreens::mainDisplay() const { return CGMainDisplayID(); }

std::optional<Screen> MacScreens::mainScreen() const {
    NSScreen* screen = NSScreen.mainScreen;
    if (!screen) return std::nullopt;
    return screenOf(screen);
}

Subscription MacScreens::observeScreenChanges(std::function<void()> changed) {
    return observeOnMainQueue(NSNotificationCenter.defaultCenter, NSApplicationDidChangeScreenParametersNotification,
                              std::move(changed));
}

} // namespace brillex::macos
