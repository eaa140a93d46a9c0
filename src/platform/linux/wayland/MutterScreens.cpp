#include "platform/linux/wayland/MutterScreens.h"

#include <algorithm>

#include "base/Log.h"
#include "platform/linux/wayland/MutterCrtcRamps.h"

namespace brillex::wayland {

x11::RandrLayout MutterScreens::readLayout() const {
    x11::RandrLayout layout;
    const MutterResources* resources = config_.resources();
    if (!resources) return layout;
    for (const MutterOutput& output : resources->outputs) {
        x11::RandrOutput described;
        described.xid = MutterCrtcRamps::displayIdOf(output.connector);
        described.name = output.connector;
        described.connected = true;
        described.panelConnector =
            output.connectorType == "eDP" || output.connectorType == "LVDS" || output.connectorType == "DSI";
        described.edid = output.edid;
        if (output.crtc >= 0 && static_cast<std::size_t>(output.crtc) < resources->crtcs.size()) {
            const MutterCrtc& crtc = resources->crtcs[static_cast<std::size_t>(output.crtc)];
            described.hasCrtc = crtc.width > 0 && crtc.height > 0;
            described.crtcFrame = x11::XRect{crtc.x, crtc.y, crtc.width, crtc.height};
            described.gammaSize = static_cast<int>(crtc.gammaSize);
        }
        if (output.primary) layout.primary = described.xid;
        layout.outputs.push_back(std::move(described));
    }
    const bool anyRamp = std::any_of(layout.outputs.begin(), layout.outputs.end(),
                                     [](const x11::RandrOutput& output) { return output.gammaSize > 0; });
    if (!anyRamp && !reportedNoRamp_)
        logLine("Mutter: no monitor is driven by a CRTC with a gamma ramp (virtual monitors have none); no display "
                "is offered the boost");
    reportedNoRamp_ = !anyRamp;
    return layout;
}

} // namespace brillex::wayland
