// Declarations only: accessibility trust (HIServices) and Core Graphics.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <CoreGraphics/CoreGraphics.h>

CF_EXTERN_C_BEGIN
CF_ASSUME_NONNULL_BEGIN

extern CFStringRef kAXTrustedCheckOptionPrompt;
extern Boolean AXIsProcessTrustedWithOptions(CFDictionaryRef _Nullable options);

CF_ASSUME_NONNULL_END
CF_EXTERN_C_END
