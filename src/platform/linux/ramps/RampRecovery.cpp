#include "platform/linux/ramps/RampRecovery.h"

#include <signal.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "base/Log.h"

namespace brillex::x11 {

bool isProcessAlive(int pid, std::string_view name) {
    if (pid <= 0 || ::kill(pid, 0) != 0) return false;  // EPERM: another user's process, not ours
    // "PID (NAME) STATE ..."
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    const std::size_t open = line.find('(');
    const std::size_t close = line.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close + 2 >= line.size()) return false;
    if (!name.empty() && std::string_view(line).substr(open + 1, close - open - 1) != name) return false;
    return line[close + 2] != 'Z';
}

namespace {

// What happened to one saved ramp: whether it went back, and whether its file stays.
struct Outcome {
    bool restored = false;
    bool keepFile = false;
    std::string unusable;  // why the file is set aside; empty when it is not
    bool changed = false;  // the CRTC was changed after its owner's last write
};

Outcome restore(const SavedRamp& saved, const RampWriters& writers, const std::string& what) {
    RampWriter* writer = writers.find(saved.writer);
    if (!writer) return {false, false, "no writer for \"" + saved.writer + "\" here"};
    RampWriter::Result failure = RampWriter::Result::unreachable;
    const std::optional<CrtcRamp> shows = writer->read(saved, failure);
    if (!shows && failure == RampWriter::Result::unreachable) {
        logLine("Cannot restore " + what + ": " + describe(failure));
        return {false, true, {}};
    }
    if (!shows) return {false, false, describe(failure)};
    if (shows->size() != saved.ramp.size()) return {false, false, describe(RampWriter::Result::otherSize)};
    if (*shows == saved.ramp) return {};
    // Older files do not say what was written last; their ramp goes back as it always did.
    if (!saved.shown.empty() &&
        std::find(saved.shown.begin(), saved.shown.end(), rampChecksum(*shows)) == saved.shown.end())
        return {false, false, "changed since", true};
    const RampWriter::Result result = writer->write(saved);
    if (result == RampWriter::Result::written) {
        logLine("Restored " + what);
        return {true, false, {}};
    }
    if (result == RampWriter::Result::unreachable) {
        logLine("Cannot restore " + what + ": " + describe(result));
        return {false, true, {}};
    }
    return {false, false, describe(result)};
}

} // namespace

int restoreSavedRamps(const RampStore& store, const RampWriters& writers,
                      const std::function<bool(const SavedRamp&)>& select) {
    int restored = 0;
    for (const RampStore::Entry& entry : store.load()) {
        const SavedRamp& saved = entry.saved;
        if (!select(saved)) continue;
        const std::string what = "the native ramp of CRTC " + std::to_string(saved.crtc) + " on " +
                                 saved.displayName + " (left by process " + std::to_string(saved.owner) + ")";
        const Outcome outcome = restore(saved, writers, what);
        restored += outcome.restored;
        if (outcome.keepFile) continue;
        if (outcome.unusable.empty()) {
            store.remove(entry.path);
            continue;
        }
        const std::string aside = store.setAside(entry.path, ".unusable");
        const std::string file = aside.empty() ? std::string("; the file stays") : "; set aside as " + aside;
        if (outcome.changed) {
            logLine("Leaving CRTC " + std::to_string(saved.crtc) + " on " + saved.displayName +
                    " as it is: its ramp was changed after process " + std::to_string(saved.owner) +
                    " last wrote it; the saved native ramp is not used" + file);
        } else {
            logLine("Cannot restore " + what + ": " + outcome.unusable + file);
        }
    }
    return restored;
}

} // namespace brillex::x11
