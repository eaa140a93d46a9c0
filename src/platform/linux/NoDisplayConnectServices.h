#pragma once

#include "controls/DisplayConnectServices.h"

namespace brillex::x11 {

// No display-connect registry: no service matches, none answers.
class NoDisplayConnectServices : public DisplayConnectServices {
public:
    std::optional<std::vector<Service>> matchingServices(const std::string&) const override {
        return std::vector<Service>{};
    }
    std::optional<float> floatParameter(Service, const std::string&) const override { return std::nullopt; }
};

} // namespace brillex::x11
