// Declarations only: the IOKit registry calls the platform uses.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <IOKit/IOReturn.h>
#include <IOKit/IOTypes.h>

CF_EXTERN_C_BEGIN
CF_ASSUME_NONNULL_BEGIN

// The default main port (macOS 12 and later; kIOMasterPortDefault before).
extern const mach_port_t kIOMainPortDefault;

CFMutableDictionaryRef _Nullable IOServiceMatching(const char* name) CF_RETURNS_RETAINED;
// Consumes one reference of `matching`, whatever the outcome.
kern_return_t IOServiceGetMatchingServices(mach_port_t mainPort, CFDictionaryRef _Nullable matching CF_RELEASES_ARGUMENT,
                                           io_iterator_t* existing);
io_object_t IOIteratorNext(io_iterator_t iterator);
kern_return_t IOObjectRelease(io_object_t object);

CF_ASSUME_NONNULL_END
CF_EXTERN_C_END
