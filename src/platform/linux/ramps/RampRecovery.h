#pragma once

#include <functional>
#include <string_view>

#include "platform/linux/ramps/RampStore.h"

namespace brillex::x11 {

// Whether `pid` is a live process of this user (a zombie is not) and, when
// `name` is given, runs under that name.
bool isProcessAlive(int pid, std::string_view name = {});

// Writes back every saved ramp that `select` picks, each over a connection
// of its own to that ramp's X display, and removes its file. A file is kept
// when its display cannot be reached, so that a later start can try again;
// a CRTC that no longer takes the ramp has nothing left to restore.
// Returns how many ramps were written back.
int restoreSavedRamps(const RampStore& store, const std::function<bool(const SavedRamp&)>& select);

} // namespace brillex::x11
