// objc_msgSend called without a cast to the method's exact function type.
// expect: candidate function not viable: requires 0 arguments, but 2 were provided
#import <Foundation/Foundation.h>
#include <objc/message.h>

void send(id object) { objc_msgSend(object, NSSelectorFromString(@"isEnabled")); }
