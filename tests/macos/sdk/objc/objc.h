// Declarations only: the Objective-C runtime's basic types.
#pragma once

#include <stdbool.h>

typedef struct objc_class* Class;
struct objc_object {
    Class _Nonnull isa;
};
typedef struct objc_object* id;
typedef struct objc_selector* SEL;
typedef void (*IMP)(void);

// BOOL is bool on arm64 and signed char on Intel.
#if defined(__x86_64__)
#define OBJC_BOOL_IS_BOOL 0
typedef signed char BOOL;
#else
#define OBJC_BOOL_IS_BOOL 1
typedef bool BOOL;
#endif

#define YES __objc_yes
#define NO __objc_no

#if defined(__cplusplus)
#define nil nullptr
#define Nil nullptr
#else
#define nil ((void*)0)
#define Nil ((void*)0)
#endif

#if defined(__cplusplus)
#define OBJC_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define OBJC_EXPORT extern __attribute__((visibility("default")))
#endif
