#include "platform/macos/services/MacLoginItems.h"

#import <Foundation/Foundation.h>
#import <ServiceManagement/ServiceManagement.h>

#include "base/Log.h"
#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

namespace {

std::optional<std::string> failureOf(BOOL succeeded, NSError* error) {
    if (succeeded) return std::nullopt;
    return error ? textOf(error.localizedDescription) : std::string("unknown error");
}

} // namespace

std::optional<std::string> MacLoginItems::registerItem() {
    SMAppService* service = SMAppService.mainAppService;
    NSError* error = nil;
    const BOOL registered = [service registerAndReturnError:&error];
    if (registered && service.status == SMAppServiceStatusRequiresApproval) {
        logLine("Launch at login waits for approval under Login Items in System Settings");
    }
    return failureOf(registered, error);
}

std::optional<std::string> MacLoginItems::unregisterItem() {
    NSError* error = nil;
    const BOOL unregistered = [SMAppService.mainAppService unregisterAndReturnError:&error];
    return failureOf(unregistered, error);
}

} // namespace brillex::macos
