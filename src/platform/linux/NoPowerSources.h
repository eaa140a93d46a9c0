#pragma once

#include "power/PowerSources.h"

namespace brillex::x11 {

// Until the power services are read natively: a computer without power sources.
class NoPowerSources : public PowerSources {
public:
    std::optional<std::vector<Source>> snapshot() const override { return std::vector<Source>{}; }
};

} // namespace brillex::x11
