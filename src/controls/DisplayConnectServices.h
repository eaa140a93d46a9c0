#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace brillex {

// The registry of display-connect services ("IODisplayConnect"): a read-only
// brightness source that a built-in panel answers when the brightness service
// gives nothing. The platform releases what it hands out.
class DisplayConnectServices {
public:
    using Service = std::uint32_t;

    virtual ~DisplayConnectServices() = default;

    // The services matching the class name, in the registry's order; nothing
    // when the query fails.
    virtual std::optional<std::vector<Service>> matchingServices(const std::string& className) const = 0;
    // A float parameter of one service, read without options; nothing when
    // the service does not answer.
    virtual std::optional<float> floatParameter(Service service, const std::string& key) const = 0;
};

} // namespace brillex
