#include "platform/linux/x11/X11RampGuard.h"

#include <X11/Xlib.h>

#include "platform/linux/ramps/WatchedRampGuard.h"
#include "platform/linux/x11/XRampWriter.h"

namespace brillex::x11 {

std::unique_ptr<SavedRampGuard> guardX11Ramps(const X11Connection& connection, std::function<void(int)> watch,
                                              std::function<void()> unguarded) {
    return guardRamps(DisplayString(connection.display()), XRampWriter::kName, std::make_unique<XRampWriter>(),
                      std::move(watch), std::move(unguarded));
}

} // namespace brillex::x11
