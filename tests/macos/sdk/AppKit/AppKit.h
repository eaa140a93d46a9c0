// Declarations only: the AppKit classes the platform uses.
#pragma once

#import <ApplicationServices/ApplicationServices.h>
#import <Foundation/Foundation.h>

#define APPKIT_EXTERN FOUNDATION_EXPORT

NS_ASSUME_NONNULL_BEGIN

@class CALayer, NSWindow, NSImage, NSStatusBar;

// Events.
typedef NS_ENUM(NSUInteger, NSEventType){
    NSEventTypeLeftMouseDown = 1,       NSEventTypeLeftMouseUp = 2,      NSEventTypeRightMouseDown = 3,
    NSEventTypeRightMouseUp = 4,        NSEventTypeMouseMoved = 5,       NSEventTypeLeftMouseDragged = 6,
    NSEventTypeRightMouseDragged = 7,   NSEventTypeMouseEntered = 8,     NSEventTypeMouseExited = 9,
    NSEventTypeKeyDown = 10,            NSEventTypeKeyUp = 11,           NSEventTypeFlagsChanged = 12,
    NSEventTypeAppKitDefined = 13,      NSEventTypeSystemDefined = 14,   NSEventTypeApplicationDefined = 15,
    NSEventTypePeriodic = 16,           NSEventTypeCursorUpdate = 17,    NSEventTypeScrollWheel = 22,
    NSEventTypeOtherMouseDown = 25,     NSEventTypeOtherMouseUp = 26,    NSEventTypeOtherMouseDragged = 27,
};

typedef NS_OPTIONS(unsigned long long, NSEventMask){
    NSEventMaskLeftMouseDown = 1ULL << NSEventTypeLeftMouseDown,
    NSEventMaskLeftMouseUp = 1ULL << NSEventTypeLeftMouseUp,
    NSEventMaskRightMouseDown = 1ULL << NSEventTypeRightMouseDown,
    NSEventMaskRightMouseUp = 1ULL << NSEventTypeRightMouseUp,
    NSEventMaskKeyDown = 1ULL << NSEventTypeKeyDown,
    NSEventMaskKeyUp = 1ULL << NSEventTypeKeyUp,
    NSEventMaskSystemDefined = 1ULL << NSEventTypeSystemDefined,
    NSEventMaskOtherMouseDown = 1ULL << NSEventTypeOtherMouseDown,
};

typedef NS_ENUM(short, NSEventSubtype){
    NSEventSubtypeWindowExposed = 0,
    NSEventSubtypeApplicationActivated = 1,
    NSEventSubtypeApplicationDeactivated = 2,
    NSEventSubtypeWindowMoved = 4,
    NSEventSubtypeScreenChanged = 8,
    NSEventSubtypePowerOff = 1,
    NSEventSubtypeMouseEvent = 0,
    NSEventSubtypeTabletPoint = 1,
    NSEventSubtypeTabletProximity = 2,
    NSEventSubtypeTouch = 3,
};

@interface NSEvent : NSObject <NSCopying>
@property(readonly) NSEventType type;
// Raises for events other than mouse events and app-kit-, system- and application-defined and periodic ones.
@property(readonly) NSEventSubtype subtype;
// Raise for events other than app-kit-, system- and application-defined and periodic ones.
@property(readonly) NSInteger data1;
+ (nullable NSEvent*)eventWithCGEvent:(CGEventRef)cgEvent;
+ (nullable id)addGlobalMonitorForEventsMatchingMask:(NSEventMask)mask handler:(void (^)(NSEvent* event))block;
+ (void)removeMonitor:(id)eventMonitor;
@end

// Appearance.
typedef NSString* NSAppearanceName;

@interface NSAppearance : NSObject
@property(readonly, copy) NSAppearanceName name;
- (nullable NSAppearanceName)bestMatchFromAppearancesWithNames:(NSArray<NSAppearanceName>*)appearances;
@end

// Responders, views and controls.
@interface NSResponder : NSObject
@end

@interface NSView : NSResponder
- (instancetype)initWithFrame:(NSRect)frameRect NS_DESIGNATED_INITIALIZER;
@property NSRect frame;
@property NSRect bounds;
@property(nullable, readonly, unsafe_unretained) NSWindow* window;
@property(nullable, strong) CALayer* layer;
- (NSRect)convertRect:(NSRect)rect toView:(nullable NSView*)view;
@end

@interface NSControl : NSView
@property(nullable, weak) id target;
@property(nullable) SEL action;
@end

@interface NSButton : NSControl
@property(nullable, strong) NSImage* image;
@end

@interface NSStatusBarButton : NSButton
@end

@interface NSImage : NSObject <NSCopying>
+ (nullable instancetype)imageWithSystemSymbolName:(NSString*)name
                          accessibilityDescription:(nullable NSString*)description;
// The property is named `template`, a keyword of C++: Objective-C++ reaches it through its accessors.
- (BOOL)isTemplate;
- (void)setTemplate:(BOOL)isTemplate;
@property NSSize size;
@end

@interface NSColor : NSObject <NSCopying>
@property(class, strong, readonly) NSColor* clearColor;
@end

// Windows.
typedef NSInteger NSWindowLevel;
#define NSNormalWindowLevel kCGNormalWindowLevel
#define NSFloatingWindowLevel kCGFloatingWindowLevel
#define NSStatusWindowLevel kCGStatusWindowLevel
#define NSPopUpMenuWindowLevel kCGPopUpMenuWindowLevel
#define NSScreenSaverWindowLevel kCGScreenSaverWindowLevel

typedef NS_OPTIONS(NSUInteger, NSWindowStyleMask){
    NSWindowStyleMaskBorderless = 0,
    NSWindowStyleMaskTitled = 1 << 0,
    NSWindowStyleMaskClosable = 1 << 1,
    NSWindowStyleMaskMiniaturizable = 1 << 2,
    NSWindowStyleMaskResizable = 1 << 3,
    NSWindowStyleMaskUtilityWindow = 1 << 4,
    NSWindowStyleMaskNonactivatingPanel = 1 << 7,
    NSWindowStyleMaskFullSizeContentView = 1 << 15,
};

typedef NS_ENUM(NSUInteger, NSBackingStoreType){
    NSBackingStoreRetained = 0,
    NSBackingStoreNonretained = 1,
    NSBackingStoreBuffered = 2,
};

typedef NS_OPTIONS(NSUInteger, NSWindowCollectionBehavior){
    NSWindowCollectionBehaviorDefault = 0,
    NSWindowCollectionBehaviorCanJoinAllSpaces = 1 << 0,
    NSWindowCollectionBehaviorMoveToActiveSpace = 1 << 1,
    NSWindowCollectionBehaviorManaged = 1 << 2,
    NSWindowCollectionBehaviorTransient = 1 << 3,
    NSWindowCollectionBehaviorStationary = 1 << 4,
    NSWindowCollectionBehaviorParticipatesInCycle = 1 << 5,
    NSWindowCollectionBehaviorIgnoresCycle = 1 << 6,
    NSWindowCollectionBehaviorFullScreenPrimary = 1 << 7,
    NSWindowCollectionBehaviorFullScreenAuxiliary = 1 << 8,
    NSWindowCollectionBehaviorFullScreenNone = 1 << 9,
    NSWindowCollectionBehaviorFullScreenAllowsTiling = 1 << 11,
    NSWindowCollectionBehaviorFullScreenDisallowsTiling = 1 << 12,
};

@interface NSWindow : NSResponder
- (instancetype)initWithContentRect:(NSRect)contentRect
                          styleMask:(NSWindowStyleMask)style
                            backing:(NSBackingStoreType)backingStoreType
                              defer:(BOOL)flag NS_DESIGNATED_INITIALIZER;
@property(getter=isOpaque) BOOL opaque;
@property BOOL hasShadow;
@property(null_resettable, copy) NSColor* backgroundColor;
@property NSWindowLevel level;
@property NSWindowCollectionBehavior collectionBehavior;
@property BOOL ignoresMouseEvents;
@property(getter=isReleasedWhenClosed) BOOL releasedWhenClosed;
@property BOOL hidesOnDeactivate;
@property(nullable, strong) __kindof NSView* contentView;
@property(readonly) NSRect frame;
- (void)orderFrontRegardless;
- (void)orderOut:(nullable id)sender;
- (void)close;
- (NSRect)convertRectToScreen:(NSRect)rect;
@end

@interface NSPanel : NSWindow
@end

// Screens.
typedef NSString* NSDeviceDescriptionKey;

@interface NSScreen : NSObject
@property(class, readonly, copy) NSArray<NSScreen*>* screens;
@property(class, readonly, nullable, strong) NSScreen* mainScreen;
@property(readonly, copy) NSDictionary<NSDeviceDescriptionKey, id>* deviceDescription;
@property(readonly) NSRect frame;
@property(readonly) NSRect visibleFrame;
@property(readonly, copy) NSString* localizedName;
@property(readonly) CGFloat maximumPotentialExtendedDynamicRangeColorComponentValue;
@property(readonly) CGFloat maximumReferenceExtendedDynamicRangeColorComponentValue;
@end

// The application.
@interface NSApplication : NSResponder
@property(readonly, strong) NSAppearance* effectiveAppearance;
@end
APPKIT_EXTERN __kindof NSApplication* _Null_unspecified NSApp;
APPKIT_EXTERN NSNotificationName NSApplicationDidChangeScreenParametersNotification;

// The status bar.
static const CGFloat NSVariableStatusItemLength = -1;
static const CGFloat NSSquareStatusItemLength = -2;

@interface NSStatusItem : NSObject
@property(readonly, strong, nullable) NSStatusBarButton* button;
@end

@interface NSStatusBar : NSObject
@property(class, readonly, strong) NSStatusBar* systemStatusBar;
- (NSStatusItem*)statusItemWithLength:(CGFloat)length;
- (void)removeStatusItem:(NSStatusItem*)item;
@end

// The workspace.
@interface NSWorkspace : NSObject
@property(class, readonly, strong) NSWorkspace* sharedWorkspace;
- (BOOL)openURL:(NSURL*)url;
@end

NS_ASSUME_NONNULL_END
