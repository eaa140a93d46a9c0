#pragma once

#include <optional>
#include <string>

namespace brillex {

// Registration of the application itself as an item that opens at login.
// Each call returns the description of the platform's error when it fails,
// nothing when it succeeds.
class LoginItemService {
public:
    virtual ~LoginItemService() = default;

    virtual std::optional<std::string> registerItem() = 0;
    virtual std::optional<std::string> unregisterItem() = 0;
};

} // namespace brillex
