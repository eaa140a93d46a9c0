// Declarations only: message dispatch.
#pragma once

#include <objc/objc.h>

#ifndef OBJC_OLD_DISPATCH_PROTOTYPES
#define OBJC_OLD_DISPATCH_PROTOTYPES 1
#endif

#if !OBJC_OLD_DISPATCH_PROTOTYPES
// Declared without a type: every call casts it to the exact function type of
// the method it sends.
OBJC_EXPORT void objc_msgSend(void);
#else
OBJC_EXPORT id _Nullable objc_msgSend(id _Nullable self, SEL _Nonnull op, ...);
#endif
