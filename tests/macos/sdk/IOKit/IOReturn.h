// Declarations only: IOKit's status codes.
#pragma once

#include <mach/mach.h>

typedef kern_return_t IOReturn;
#define kIOReturnSuccess KERN_SUCCESS
