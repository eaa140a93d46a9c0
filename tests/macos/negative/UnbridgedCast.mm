// A Core Foundation string handed to ARC without saying who owns it.
// expect: requires a bridged cast
#import <Foundation/Foundation.h>
#include <ApplicationServices/ApplicationServices.h>

NSString* option() { return (NSString*)kAXTrustedCheckOptionPrompt; }
