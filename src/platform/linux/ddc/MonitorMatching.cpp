#include "platform/linux/ddc/MonitorMatching.h"

#include <set>
#include <string>

namespace brillex::ddc {
namespace {

constexpr std::size_t kBaseBlock = 128;

bool sameBaseBlock(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    return a.size() >= kBaseBlock && b.size() >= kBaseBlock && std::equal(a.begin(), a.begin() + kBaseBlock, b.begin());
}

std::string kernelName(const std::string& connector) {
    const std::string hdmi = "HDMI-";
    if (connector.rfind("HDMI-A-", 0) == 0) return hdmi + connector.substr(7);
    return connector;
}

std::optional<int> busByConnector(const std::string& name, const std::vector<DrmConnector>& connectors) {
    const DrmConnector* found = nullptr;
    for (const auto& connector : connectors) {
        if (kernelName(connector.name) != kernelName(name)) continue;
        // The same name on two cards tells nothing.
        if (found) return std::nullopt;
        found = &connector;
    }
    return found ? found->bus : std::nullopt;
}

} // namespace

MonitorMatch matchMonitors(const std::vector<ScreenOutput>& screens, const std::vector<BusMonitor>& monitors,
                           const std::vector<DrmConnector>& connectors) {
    MonitorMatch match;
    for (const auto& screen : screens) {
        if (screen.builtIn) continue;
        std::set<int> candidates;
        for (const auto& monitor : monitors) {
            if (sameBaseBlock(monitor.edid, screen.edid)) candidates.insert(monitor.bus);
        }
        for (const auto& connector : connectors) {
            if (connector.connected && connector.bus && sameBaseBlock(connector.edid, screen.edid))
                candidates.insert(*connector.bus);
        }
        if (candidates.size() == 1) {
            match.buses[screen.id] = *candidates.begin();
            continue;
        }
        const auto byName = busByConnector(screen.connector, connectors);
        if (byName && (candidates.empty() || candidates.count(*byName))) {
            match.buses[screen.id] = *byName;
        } else if (candidates.size() > 1) {
            match.ambiguous.push_back(screen.id);
        }
    }
    return match;
}

} // namespace brillex::ddc
