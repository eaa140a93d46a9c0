#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "boost/ScreenServices.h"

namespace brillex::x11 {

// A rectangle in X's root-window coordinates: origin at the top left, y down.
struct XRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// What RandR says about one output, read in one pass.
struct RandrOutput {
    std::uint32_t xid = 0;
    std::string name;
    bool connected = false;
    bool hasCrtc = false;
    XRect crtcFrame;
    bool panelConnector = false;       // ConnectorType "Panel"
    std::vector<std::uint8_t> edid;    // the "EDID" property; empty when absent
    int gammaSize = 0;                 // the CRTC's ramp size; 0 without a ramp
    std::string monitorName;           // the monitor's name where the layer gives it without an EDID
};

// The server's outputs in RandR's order, the primary output (0 for none) and
// the window manager's work area of the current desktop, when published.
struct RandrLayout {
    std::vector<RandrOutput> outputs;
    std::uint32_t primary = 0;
    std::optional<XRect> workArea;
};

// How RandR's outputs become the program's screens.
struct ScreenRules {
    std::optional<std::string> builtInOutput;  // an output named as the built-in panel
    bool waylandSession = false;               // ramps do not reach the screen: no headroom
};

// The screens of one layout: every connected output with a CRTC, in order,
// with frames in the core's bottom-left global coordinates.
struct ScreenLayout {
    std::vector<Screen> screens;
    std::set<DisplayId> builtIn;
    DisplayId mainDisplay = 0;  // RandR's primary when it is a screen, else the first; 0 with none
    // Outputs whose EDID could not be read, with why; they are named by their output.
    std::vector<std::pair<DisplayId, std::string>> unreadableEdids;
    // The rules name a built-in output that none of the screens is.
    bool namedPanelMissing = false;

    static ScreenLayout of(const RandrLayout& layout, const ScreenRules& rules);
};

// The headroom a screen gets: what a gamma ramp can lift, or the panel's HDR
// peak over the reference white when that is more; 1.0 without a ramp.
double rampHeadroom(int gammaSize, std::optional<double> edidHeadroom);

} // namespace brillex::x11
