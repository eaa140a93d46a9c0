#include "platform/macos/services/MacPowerSources.h"

#import <Foundation/Foundation.h>
#include <IOKit/ps/IOPowerSources.h>

#include "platform/macos/services/PowerSourceEntries.h"
#include "platform/macos/services/PropertyValues.h"

namespace brillex::macos {

std::optional<std::vector<PowerSources::Source>> MacPowerSources::snapshot() const {
    // Both copies are released when the reading ends; the descriptions belong to the snapshot.
    id info = CFBridgingRelease(IOPSCopyPowerSourcesInfo());
    if (!info) return std::nullopt;
    id list = CFBridgingRelease(IOPSCopyPowerSourcesList((__bridge CFTypeRef)info));
    if (![list isKindOfClass:NSArray.class]) return std::nullopt;
    std::vector<Source> sources;
    for (id source in (NSArray*)list) {
        id description = (__bridge id)IOPSGetPowerSourceDescription((__bridge CFTypeRef)info, (__bridge CFTypeRef)source);
        const auto entries = entriesOf(description);
        sources.push_back(entries ? powerSourceDescriptionOf(*entries) : std::nullopt);
    }
    return sources;
}

} // namespace brillex::macos
