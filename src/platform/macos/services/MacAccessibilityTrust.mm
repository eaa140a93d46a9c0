#include "platform/macos/services/MacAccessibilityTrust.h"

#import <Foundation/Foundation.h>
#include <ApplicationServices/ApplicationServices.h>

namespace brillex::macos {

bool MacAccessibilityTrust::isProcessTrusted(bool prompt) {
    NSDictionary* options = @{(__bridge NSString*)kAXTrustedCheckOptionPrompt : @(prompt)};
    return AXIsProcessTrustedWithOptions((__bridge CFDictionaryRef)options) != 0;
}

} // namespace brillex::macos
