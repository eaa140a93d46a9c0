#pragma once

#include <optional>
#include <vector>

#include "power/PowerSources.h"

namespace brillex::sim {

// The power sources of the simulated computer; none at start, as on a desktop.
class SimPowerSources : public PowerSources {
public:
    std::optional<std::vector<Source>> snapshot() const override { return list; }

    // Nothing stands for a system that gives no list at all.
    std::optional<std::vector<Source>> list = std::vector<Source>{};
};

} // namespace brillex::sim
