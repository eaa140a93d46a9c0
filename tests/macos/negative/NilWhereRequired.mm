// nil where the method requires an object.
// expect: null passed to a callee that requires a non-null argument
#import <AppKit/AppKit.h>

NSEvent* convert() { return [NSEvent eventWithCGEvent:nil]; }
