#pragma once

#include "power/PowerSources.h"

namespace brillex::macos {

// Power sources from IOKit's power-source snapshot: one snapshot per
// reading, each source's description dictionary as the core reads it.
class MacPowerSources : public PowerSources {
public:
    std::optional<std::vector<Source>> snapshot() const override;
};

} // namespace brillex::macos
