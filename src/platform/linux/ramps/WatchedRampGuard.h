#pragma once

#include <memory>
#include <string>

#include "base/MainLoop.h"
#include "platform/linux/ramps/SavedRampGuard.h"

class QSocketNotifier;

namespace brillex::x11 {

// The saved-ramp guard of one display server's CRTCs in the default store,
// with its guardian watched on the main loop: a guardian that dies is
// replaced at once, and when none can be, every boost ends.
class WatchedRampGuard {
public:
    // Restores first what earlier runs abandoned for `displayName` (before
    // anything reads a ramp, so that a leftover boost is never taken for the
    // native ramp), then starts the guardian. `writer` puts ramps of its kind back.
    WatchedRampGuard(MainLoop& loop, std::string displayName, const std::string& writerName,
                     std::unique_ptr<RampWriter> writer);
    ~WatchedRampGuard();

    SavedRampGuard& guard() { return *guard_; }

private:
    std::unique_ptr<SavedRampGuard> guard_;
    std::unique_ptr<QSocketNotifier> watch_;
};

// The guard of the ramps of one display server in the default store: what
// abandoned earlier runs left there is restored first, then the guardian
// starts. `watch` and `unguarded` as in SavedRampGuard::Options.
std::unique_ptr<SavedRampGuard> guardRamps(std::string displayName, const std::string& writerName,
                                           std::unique_ptr<RampWriter> writer, std::function<void(int)> watch = {},
                                           std::function<void()> unguarded = {});

} // namespace brillex::x11
