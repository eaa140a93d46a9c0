// A window initialiser without its backing and defer arguments.
// expect: no visible @interface for 'NSWindow' declares the selector 'initWithContentRect:styleMask:'
#import <AppKit/AppKit.h>

NSWindow* overlay() {
    return [[NSWindow alloc] initWithContentRect:NSMakeRect(0, 0, 1, 1) styleMask:NSWindowStyleMaskBorderless];
}
