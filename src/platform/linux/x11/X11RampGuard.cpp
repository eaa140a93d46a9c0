#include "platform/linux/x11/X11RampGuard.h"

#include <X11/Xlib.h>

#include "platform/linux/x11/XRampWriter.h"

namespace brillex::x11 {

std::unique_ptr<SavedRampGuard> guardX11Ramps(const X11Connection& connection, std::function<void(int)> watch,
                                              std::function<void()> unguarded) {
    const RampStore store(RampStore::defaultDirectory());
    SavedRampGuard::Options options;
    options.displayName = DisplayString(connection.display());
    options.writer = XRampWriter::kName;
    options.guardianHelper = RampGuardian::helperPath();
    options.watch = std::move(watch);
    options.unguarded = std::move(unguarded);
    {
        RampWriters writers;
        writers.add(XRampWriter::kName, std::make_unique<XRampWriter>());
        SavedRampGuard::recoverAbandoned(store, writers, options.displayName, options.writer);
    }
    return std::make_unique<SavedRampGuard>(store, std::move(options));
}

} // namespace brillex::x11
