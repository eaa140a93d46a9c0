#pragma once

#include <functional>
#include <memory>

#include "platform/linux/ramps/SavedRampGuard.h"
#include "platform/linux/x11/X11Connection.h"

namespace brillex::x11 {

// The guard of the ramps of `connection`'s display in the default store:
// what abandoned earlier runs left there is restored first, before anything
// reads a ramp, so that a leftover boost is never taken for the native ramp;
// then the guardian starts. `watch` and `unguarded` as in SavedRampGuard.
std::unique_ptr<SavedRampGuard> guardX11Ramps(const X11Connection& connection, std::function<void(int)> watch = {},
                                              std::function<void()> unguarded = {});

} // namespace brillex::x11
