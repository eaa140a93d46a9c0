#include "platform/macos/services/MacWorkspace.h"

#import <AppKit/AppKit.h>

#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

bool MacWorkspace::openURL(const std::string& url) {
    NSString* text = stringOf(url);
    NSURL* link = text ? [NSURL URLWithString:text] : nil;
    return link && [NSWorkspace.sharedWorkspace openURL:link];
}

} // namespace brillex::macos
