#include "platform/linux/x11/RandrLayout.h"

#include <algorithm>

#include "edid/EdidReader.h"

namespace brillex::x11 {
namespace {

// What a ramp alone can lift the desktop to before everything near white clips.
constexpr double kRampHeadroom = 2.0;

bool namesPanel(const std::string& name) {
    for (const char* prefix : {"eDP", "LVDS", "DSI"}) {
        if (name.rfind(prefix, 0) == 0) return true;
    }
    return false;
}

std::optional<XRect> intersection(const XRect& a, const XRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int bottom = std::min(a.y + a.height, b.y + b.height);
    if (right <= left || bottom <= top) return std::nullopt;
    return XRect{left, top, right - left, bottom - top};
}

// X counts y down from the top of the root window; the core counts it up from
// the bottom edge of the main screen.
Rect toGlobal(const XRect& r, int flipLine) {
    return Rect{static_cast<double>(r.x), static_cast<double>(flipLine - r.y - r.height),
                static_cast<double>(r.width), static_cast<double>(r.height)};
}

} // namespace

double rampHeadroom(int gammaSize, std::optional<double> edidHeadroom) {
    if (gammaSize <= 0) return 1.0;
    return edidHeadroom && *edidHeadroom > kRampHeadroom ? *edidHeadroom : kRampHeadroom;
}

ScreenLayout ScreenLayout::of(const RandrLayout& layout, const ScreenRules& rules) {
    std::vector<const RandrOutput*> shown;
    for (const auto& output : layout.outputs) {
        if (output.connected && output.hasCrtc) shown.push_back(&output);
    }
    ScreenLayout result;
    if (shown.empty()) return result;

    const RandrOutput* main = shown.front();
    for (const RandrOutput* output : shown) {
        if (layout.primary != 0 && output->xid == layout.primary) main = output;
    }
    result.mainDisplay = main->xid;
    const int flipLine = main->crtcFrame.y + main->crtcFrame.height;
    result.namedPanelMissing = rules.builtInOutput.has_value();

    for (const RandrOutput* output : shown) {
        const bool builtIn = namesPanel(output->name) || output->panelConnector ||
                             (rules.builtInOutput && *rules.builtInOutput == output->name);
        if (builtIn) result.builtIn.insert(output->xid);
        if (rules.builtInOutput && *rules.builtInOutput == output->name) result.namedPanelMissing = false;
        std::optional<EdidInfo> edid;
        if (!output->edid.empty()) {
            EdidReading reading = readEdid(output->edid);
            if (reading.info) edid = std::move(reading.info);
            else result.unreadableEdids.emplace_back(output->xid, reading.error);
        }
        std::string name = builtIn ? "Built-in Display" : output->name;
        if (!output->monitorName.empty()) name = output->monitorName;
        if (edid && edid->name && !edid->name->empty()) name = *edid->name;
        const double headroom =
            rules.waylandSession ? 1.0 : rampHeadroom(output->gammaSize, edid ? edid->headroom() : std::nullopt);
        // A work area that misses the screen altogether says nothing about it.
        const XRect visible =
            layout.workArea ? intersection(output->crtcFrame, *layout.workArea).value_or(output->crtcFrame)
                            : output->crtcFrame;
        result.screens.push_back(Screen{output->xid, std::move(name), headroom, headroom,
                                        toGlobal(output->crtcFrame, flipLine), toGlobal(visible, flipLine)});
    }
    return result;
}

} // namespace brillex::x11
