#pragma once

#include <functional>
#include <string_view>

#include "platform/linux/ramps/RampStore.h"
#include "platform/linux/ramps/RampWriter.h"

namespace brillex::x11 {

// Whether `pid` is a live process of this user (a zombie is not) and, when
// `name` is given, runs under that name.
bool isProcessAlive(int pid, std::string_view name = {});

// Writes back every saved ramp that `select` picks through the writer it
// names, and removes its file. A ramp goes back only while its CRTC still
// shows what its owner last wrote there: a CRTC changed since (by the user,
// another program) is left alone. A file is kept when its display cannot be
// reached, so that a later start can try again; one that cannot be used
// (the CRTC changed, gone, of another size, no writer) is set aside, never
// deleted. Returns how many ramps were written back.
int restoreSavedRamps(const RampStore& store, const RampWriters& writers,
                      const std::function<bool(const SavedRamp&)>& select);

} // namespace brillex::x11
