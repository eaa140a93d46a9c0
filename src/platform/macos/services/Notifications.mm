#include "platform/macos/services/Notifications.h"

namespace brillex::macos {

Subscription observeOnMainQueue(NSNotificationCenter* center, NSNotificationName name, std::function<void()> handler) {
    id<NSObject> token = [center addObserverForName:name
                                             object:nil
                                              queue:NSOperationQueue.mainQueue
                                         usingBlock:^(NSNotification*) {
                                             handler();
                                         }];
    // The block holds the handler; removing the observer releases both.
    return Subscription([center, token] { [center removeObserver:token]; });
}

} // namespace brillex::macos
