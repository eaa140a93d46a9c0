#pragma once

#include "platform/linux/ramps/RampStore.h"
#include "platform/linux/ramps/RampWriter.h"

namespace brillex::x11 {

// The guardian's side of the socket (RampGuardian is the program's): says
// hello, holds every copy the program hands over until the program releases
// it, and when the program has gone without saying goodbye writes each held
// copy back through its writer, then restores what the store still holds
// for the program and it did not. Returns the exit status.
int runGuardian(int socket, int program, const RampStore& store, const RampWriters& writers);

} // namespace brillex::x11
