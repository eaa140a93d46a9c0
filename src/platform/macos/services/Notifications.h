#pragma once

#import <Foundation/Foundation.h>

#include <functional>

#include "base/Signal.h"

namespace brillex::macos {

// Runs `handler` on the main queue for each notification `name` that
// `center` delivers, from any sender, until the subscription goes.
Subscription observeOnMainQueue(NSNotificationCenter* center, NSNotificationName name, std::function<void()> handler);

} // namespace brillex::macos
