// A selector no class declares.
// expect: no visible @interface for 'NSScreen' declares the selector 'maximumEDR'
#import <AppKit/AppKit.h>

double headroom(NSScreen* screen) { return [screen maximumEDR]; }
