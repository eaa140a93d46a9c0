#include "platform/linux/x11/LayoutScreens.h"

#include <algorithm>

#include "base/Log.h"

namespace brillex::x11 {

ScreenLayout LayoutScreens::layout() const {
    const RandrLayout read = readLayout();
    ScreenLayout layout = ScreenLayout::of(read, rules_);
    if (layout.namedPanelMissing && !reportedPanelName_) {
        // A mistyped name would otherwise only show as a panel that is not treated as one.
        reportedPanelName_ = true;
        std::string names;
        for (const Screen& screen : layout.screens) {
            const auto output = std::find_if(read.outputs.begin(), read.outputs.end(),
                                             [&](const RandrOutput& o) { return screen.displayId == o.xid; });
            if (output == read.outputs.end()) continue;
            names += (names.empty() ? "" : ", ") + output->name;
        }
        logLine("Screens: no screen's output is named " + *rules_.builtInOutput +
                " (given with --built-in); the outputs are " + names);
    }
    for (const auto& [id, error] : layout.unreadableEdids) {
        if (reportedEdids_.insert(id).second)
            logLine("Screens: the EDID of display " + std::to_string(id) + " cannot be read (" + error +
                    "); it is named by its output and given the headroom of its ramp");
    }
    return layout;
}

std::vector<Screen> LayoutScreens::screens() const {
    return layout().screens;
}

std::vector<ScreenOutput> LayoutScreens::screenOutputs() const {
    const RandrLayout read = readLayout();
    const ScreenLayout shown = ScreenLayout::of(read, rules_);
    std::vector<ScreenOutput> outputs;
    for (const auto& output : read.outputs) {
        if (!output.connected || !output.hasCrtc) continue;
        outputs.push_back(ScreenOutput{output.xid, output.name, output.edid, shown.builtIn.count(output.xid) != 0});
    }
    return outputs;
}

bool LayoutScreens::isBuiltIn(DisplayId id) const {
    return layout().builtIn.count(id) != 0;
}

DisplayId LayoutScreens::mainDisplay() const {
    return layout().mainDisplay;
}

// One read: the main display and its screen from the same layout.
std::optional<Screen> LayoutScreens::mainScreen() const {
    const ScreenLayout now = layout();
    for (const Screen& screen : now.screens) {
        if (screen.displayId && *screen.displayId == now.mainDisplay) return screen;
    }
    return std::nullopt;
}

Subscription LayoutScreens::observeScreenChanges(std::function<void()> changed) {
    return changed_.connect(std::move(changed));
}

void LayoutScreens::changeArrived() {
    settle_ = loop_.schedule(kQuietSeconds, false, [this] { changed_.emit(); });
}

} // namespace brillex::x11
