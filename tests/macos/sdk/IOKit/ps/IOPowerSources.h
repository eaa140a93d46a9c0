// Declarations only: the power-source snapshot.
#pragma once

#include <CoreFoundation/CoreFoundation.h>

CF_EXTERN_C_BEGIN
CF_ASSUME_NONNULL_BEGIN

// A snapshot of every power source; release it with CFRelease.
CFTypeRef _Nullable IOPSCopyPowerSourcesInfo(void) CF_RETURNS_RETAINED;
// The sources of a snapshot; release it with CFRelease.
CFArrayRef _Nullable IOPSCopyPowerSourcesList(CFTypeRef blob) CF_RETURNS_RETAINED;
// One source's description, owned by the snapshot.
CFDictionaryRef _Nullable IOPSGetPowerSourceDescription(CFTypeRef blob, CFTypeRef ps);

CF_ASSUME_NONNULL_END
CF_EXTERN_C_END
