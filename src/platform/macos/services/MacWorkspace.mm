#include "platform/macos/services/MacWorkspace.h"

#import <AppKit/AppKit.h>

namespace brillex::macos {

bool MacWorkspace::openURL(const std::string& url) {
    NSURL* link = [NSURL URLWithString:[NSString stringWithUTF8String:url.c_str()]];
    return link && [NSWorkspace.sharedWorkspace openURL:link];
}

} // namespace brillex::macos
