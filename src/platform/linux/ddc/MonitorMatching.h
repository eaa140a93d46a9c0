#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "platform/linux/ScreenOutputs.h"
#include "platform/linux/ddc/DrmConnectors.h"

namespace brillex::ddc {

// A monitor that answered on an I2C bus, with the EDID it gave there.
struct BusMonitor {
    int bus = -1;
    std::vector<std::uint8_t> edid;
};

struct MonitorMatch {
    std::map<DisplayId, int> buses;    // each external screen's bus
    std::vector<DisplayId> ambiguous;  // screens whose EDID several buses share and whose connector does not tell
};

// The bus of each external screen: the one bus whose monitor (or connected
// connector) shows the screen's EDID (the first 128 bytes); where the EDID
// names several buses (identical monitors) or none is known (the display
// layer gave no EDID), the bus of the kernel connector of the same name.
// Connector names agree only under the modesetting driver (RandR's "HDMI-1"
// is the kernel's "HDMI-A-1"); elsewhere identical monitors stay ambiguous.
MonitorMatch matchMonitors(const std::vector<ScreenOutput>& screens, const std::vector<BusMonitor>& monitors,
                           const std::vector<DrmConnector>& connectors);

} // namespace brillex::ddc
