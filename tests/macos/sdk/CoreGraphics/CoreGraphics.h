// Declarations only: the Core Graphics types and functions the platform uses.
#pragma once

#include <CoreFoundation/CoreFoundation.h>
#include <mach/mach.h>

#define CG_EXTERN extern __attribute__((visibility("default")))

CF_EXTERN_C_BEGIN
CF_ASSUME_NONNULL_BEGIN

typedef double CGFloat;
#define CGFLOAT_IS_DOUBLE 1

struct CGPoint {
    CGFloat x;
    CGFloat y;
};
typedef struct CGPoint CGPoint;
struct CGSize {
    CGFloat width;
    CGFloat height;
};
typedef struct CGSize CGSize;
struct CGRect {
    CGPoint origin;
    CGSize size;
};
typedef struct CGRect CGRect;

static inline CGSize CGSizeMake(CGFloat width, CGFloat height) {
    CGSize s = {width, height};
    return s;
}

// Displays.
typedef uint32_t CGDirectDisplayID;
typedef float CGGammaValue;

typedef CF_ENUM(int32_t, CGError){
    kCGErrorSuccess = 0,           kCGErrorFailure = 1000,        kCGErrorIllegalArgument = 1001,
    kCGErrorInvalidConnection = 1002, kCGErrorInvalidContext = 1003, kCGErrorCannotComplete = 1004,
    kCGErrorNotImplemented = 1006, kCGErrorRangeCheck = 1007,     kCGErrorTypeCheck = 1008,
    kCGErrorInvalidOperation = 1010, kCGErrorNoneAvailable = 1011,
};

CG_EXTERN CGDirectDisplayID CGMainDisplayID(void);
CG_EXTERN boolean_t CGDisplayIsBuiltin(CGDirectDisplayID display);
CG_EXTERN CGError CGGetDisplayTransferByTable(CGDirectDisplayID display, uint32_t capacity,
                                             CGGammaValue* _Nullable redTable, CGGammaValue* _Nullable greenTable,
                                             CGGammaValue* _Nullable blueTable, uint32_t* _Nullable sampleCount);
CG_EXTERN CGError CGSetDisplayTransferByTable(CGDirectDisplayID display, uint32_t tableSize,
                                             const CGGammaValue* _Nullable redTable,
                                             const CGGammaValue* _Nullable greenTable,
                                             const CGGammaValue* _Nullable blueTable);

// The login session the process runs in; none outside a graphical login.
CG_EXTERN CFDictionaryRef _Nullable CGSessionCopyCurrentDictionary(void) CF_RETURNS_RETAINED;

// Window levels.
typedef int32_t CGWindowLevel;
typedef CF_ENUM(int32_t, CGWindowLevelKey){
    kCGBaseWindowLevelKey = 0,         kCGMinimumWindowLevelKey = 1,    kCGDesktopWindowLevelKey = 2,
    kCGBackstopMenuLevelKey = 3,       kCGNormalWindowLevelKey = 4,     kCGFloatingWindowLevelKey = 5,
    kCGTornOffMenuWindowLevelKey = 6,  kCGDockWindowLevelKey = 7,       kCGMainMenuWindowLevelKey = 8,
    kCGStatusWindowLevelKey = 9,       kCGModalPanelWindowLevelKey = 10, kCGPopUpMenuWindowLevelKey = 11,
    kCGDraggingWindowLevelKey = 12,    kCGScreenSaverWindowLevelKey = 13, kCGMaximumWindowLevelKey = 14,
    kCGOverlayWindowLevelKey = 15,     kCGHelpWindowLevelKey = 16,      kCGUtilityWindowLevelKey = 17,
    kCGDesktopIconWindowLevelKey = 18, kCGCursorWindowLevelKey = 19,    kCGAssistiveTechHighWindowLevelKey = 20,
    kCGNumberOfWindowLevelKeys
};
CG_EXTERN CGWindowLevel CGWindowLevelForKey(CGWindowLevelKey key);
// The levels are constants of the header, so that they can be checked at compile time.
#define kCGNormalWindowLevel 0
#define kCGFloatingWindowLevel 3
#define kCGStatusWindowLevel 25
#define kCGPopUpMenuWindowLevel 101
#define kCGScreenSaverWindowLevel 1000

// Colour spaces.
typedef struct CF_BRIDGED_TYPE(id) CGColorSpace* CGColorSpaceRef;
typedef struct CF_BRIDGED_TYPE(id) CGColor* CGColorRef;
CG_EXTERN const CFStringRef kCGColorSpaceExtendedLinearDisplayP3;
CG_EXTERN CGColorSpaceRef _Nullable CGColorSpaceCreateWithName(CFStringRef _Nullable name);
CG_EXTERN void CGColorSpaceRelease(CGColorSpaceRef _Nullable space);

// Events and event taps.
typedef struct CF_BRIDGED_TYPE(id) __CGEvent* CGEventRef;
typedef struct __CGEventTapProxy* CGEventTapProxy;
typedef uint64_t CGEventMask;

typedef CF_ENUM(uint32_t, CGEventType){
    kCGEventNull = 0,
    kCGEventLeftMouseDown = 1,
    kCGEventLeftMouseUp = 2,
    kCGEventRightMouseDown = 3,
    kCGEventRightMouseUp = 4,
    kCGEventMouseMoved = 5,
    kCGEventLeftMouseDragged = 6,
    kCGEventRightMouseDragged = 7,
    kCGEventKeyDown = 10,
    kCGEventKeyUp = 11,
    kCGEventFlagsChanged = 12,
    kCGEventScrollWheel = 22,
    kCGEventTabletPointer = 23,
    kCGEventTabletProximity = 24,
    kCGEventOtherMouseDown = 25,
    kCGEventOtherMouseUp = 26,
    kCGEventOtherMouseDragged = 27,
    kCGEventTapDisabledByTimeout = 0xFFFFFFFE,
    kCGEventTapDisabledByUserInput = 0xFFFFFFFF,
};

typedef CF_ENUM(uint32_t, CGEventTapLocation){
    kCGHIDEventTap = 0,
    kCGSessionEventTap,
    kCGAnnotatedSessionEventTap,
};
typedef CF_ENUM(uint32_t, CGEventTapPlacement){
    kCGHeadInsertEventTap = 0,
    kCGTailAppendEventTap,
};
typedef CF_ENUM(uint32_t, CGEventTapOptions){
    kCGEventTapOptionDefault = 0x00000000,
    kCGEventTapOptionListenOnly = 0x00000001,
};

typedef CGEventRef _Nullable (*CGEventTapCallBack)(CGEventTapProxy proxy, CGEventType type, CGEventRef event,
                                                   void* _Nullable userInfo);

CG_EXTERN CFMachPortRef _Nullable CGEventTapCreate(CGEventTapLocation tap, CGEventTapPlacement place,
                                                   CGEventTapOptions options, CGEventMask eventsOfInterest,
                                                   CGEventTapCallBack callback, void* _Nullable userInfo);
CG_EXTERN void CGEventTapEnable(CFMachPortRef tap, bool enable);

CF_ASSUME_NONNULL_END
CF_EXTERN_C_END
