// Declarations only: the parts of the Objective-C runtime the platform calls.
#pragma once

#include <objc/objc.h>

typedef struct objc_method* Method;

OBJC_EXPORT id _Nullable objc_getClass(const char* _Nonnull name);
OBJC_EXPORT Method _Nullable class_getClassMethod(Class _Nullable cls, SEL _Nonnull name);
OBJC_EXPORT Method _Nullable class_getInstanceMethod(Class _Nullable cls, SEL _Nonnull name);
OBJC_EXPORT BOOL class_respondsToSelector(Class _Nullable cls, SEL _Nonnull sel);
OBJC_EXPORT Class _Nullable object_getClass(id _Nullable obj);
