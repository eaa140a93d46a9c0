#include "platform/linux/ramps/RampRecovery.h"

#include <X11/Xlib.h>

#include <signal.h>

#include <cerrno>
#include <fstream>
#include <map>
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

int restoreSavedRamps(const RampStore& store, const std::function<bool(const SavedRamp&)>& select) {
    std::map<std::string, Display*> connections;
    int restored = 0;
    for (const RampStore::Entry& entry : store.load()) {
        const SavedRamp& saved = entry.saved;
        if (!select(saved)) continue;
        auto [it, added] = connections.try_emplace(saved.displayName, nullptr);
        if (added) it->second = XOpenDisplay(saved.displayName.c_str());
        const std::string what = "the native ramp of CRTC " + std::to_string(saved.crtc) + " on " +
                                 saved.displayName + " (left by process " + std::to_string(saved.owner) + ")";
        if (!it->second) {
            logLine("Cannot restore " + what + ": the display cannot be opened");
            continue;
        }
        if (writeCrtcRamp(it->second, saved.crtc, saved.ramp)) {
            logLine("Restored " + what);
            ++restored;
        } else {
            logLine("Cannot restore " + what + ": the CRTC no longer takes it");
        }
        store.remove(entry.path);
    }
    for (const auto& [name, display] : connections)
        if (display) XCloseDisplay(display);
    return restored;
}

} // namespace brillex::x11
