#include "platform/macos/services/MacDisplayConnectServices.h"

#import <Foundation/Foundation.h>
#include <IOKit/IOKitLib.h>
#include <IOKit/graphics/IOGraphicsLib.h>

#include "platform/macos/services/Conversions.h"

namespace brillex::macos {

MacDisplayConnectServices::~MacDisplayConnectServices() { releaseHeld(); }

void MacDisplayConnectServices::releaseHeld() const {
    for (const Service service : held_) IOObjectRelease(service);
    held_.clear();
}

std::optional<std::vector<DisplayConnectServices::Service>> MacDisplayConnectServices::matchingServices(
    const std::string& className) const {
    releaseHeld();
    io_iterator_t iterator = IO_OBJECT_NULL;
    // The matching dictionary is consumed by the query, whatever its outcome.
    if (IOServiceGetMatchingServices(kIOMainPortDefault, IOServiceMatching(className.c_str()), &iterator) !=
        KERN_SUCCESS) {
        return std::nullopt;
    }
    while (io_object_t service = IOIteratorNext(iterator)) held_.push_back(service);
    IOObjectRelease(iterator);
    return held_;
}

std::optional<float> MacDisplayConnectServices::floatParameter(Service service, const std::string& key) const {
    float value = 0.0f;
    NSString* name = stringOf(key);
    if (IODisplayGetFloatParameter(service, kNilOptions, (__bridge CFStringRef)name, &value) != kIOReturnSuccess) {
        return std::nullopt;
    }
    return value;
}

} // namespace brillex::macos
