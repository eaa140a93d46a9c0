// Declarations only: display parameters of a display-connect service.
#pragma once

#include <IOKit/IOKitLib.h>

CF_EXTERN_C_BEGIN
CF_ASSUME_NONNULL_BEGIN

IOReturn IODisplayGetFloatParameter(io_service_t service, IOOptionBits options, CFStringRef parameterName,
                                    float* value);

CF_ASSUME_NONNULL_END
CF_EXTERN_C_END
