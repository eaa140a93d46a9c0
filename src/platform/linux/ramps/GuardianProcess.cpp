#include "platform/linux/ramps/GuardianProcess.h"

#include <unistd.h>

#include <map>
#include <string>

#include "base/Log.h"
#include "platform/linux/ramps/GuardianMessages.h"
#include "platform/linux/ramps/RampRecovery.h"

namespace brillex::x11 {

int runGuardian(int socket, int program, const RampStore& store, const RampWriters& writers) {
    if (!guardian::send(socket, guardian::kHello, std::to_string(::getpid()))) return 1;
    std::map<std::string, SavedRamp> held;  // by release key
    char type = 0;
    std::string payload;
    while (guardian::receive(socket, type, payload)) {
        if (type == guardian::kCleanExit) return 0;
        if (type == guardian::kRelease) {
            held.erase(payload);
        } else if (type == guardian::kKeep) {
            std::optional<SavedRamp> saved = parseSavedRamp(payload);
            if (saved) held.insert_or_assign(guardian::releaseKey(saved->writer, saved->displayName, saved->crtc), *saved);
            if (!guardian::send(socket, saved ? guardian::kKept : guardian::kRefused)) break;
        }
    }

    // The program has gone without a word: every ramp it changed goes back.
    for (const auto& [key, saved] : held) {
        const std::string what = "the native ramp of CRTC " + std::to_string(saved.crtc) + " on " + saved.displayName +
                                 " (left by process " + std::to_string(program) + ")";
        RampWriter* writer = writers.find(saved.writer);
        const RampWriter::Result result = writer ? writer->write(saved) : RampWriter::Result::unreachable;
        logLine(result == RampWriter::Result::written ? "Restored " + what
                                                      : "Cannot restore " + what + ": " + describe(result));
    }
    // The files are the second copy; those of the ramps held here now match their CRTC and go.
    restoreSavedRamps(store, writers, [program](const SavedRamp& saved) { return saved.owner == program; });
    store.removeUnfinished(program);
    return 0;
}

} // namespace brillex::x11
