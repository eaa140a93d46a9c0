#pragma once

#include <vector>

#include "controls/DisplayConnectServices.h"

namespace brillex::macos {

// IOKit's registry of display-connect services. The services of one query
// are held until the next query (or the end of this object) and released
// then, so that the caller may stop reading at the first that answers.
class MacDisplayConnectServices : public DisplayConnectServices {
public:
    MacDisplayConnectServices() = default;
    MacDisplayConnectServices(const MacDisplayConnectServices&) = delete;
    MacDisplayConnectServices& operator=(const MacDisplayConnectServices&) = delete;
    ~MacDisplayConnectServices() override;

    std::optional<std::vector<Service>> matchingServices(const std::string& className) const override;
    std::optional<float> floatParameter(Service service, const std::string& key) const override;

private:
    void releaseHeld() const;

    mutable std::vector<Service> held_;
};

} // namespace brillex::macos
