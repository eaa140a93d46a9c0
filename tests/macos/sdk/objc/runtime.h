// Declarations only: the parts of the Objective-C runtime the platform calls.
#pragma once

#include <objc/objc.h>

typedef struct objc_method* Method;

OBJC_EXPORT Method _Nullable class_getClassMethod(Class _Nullable cls, SEL _Nonnull name);
