#pragma once

#include <optional>
#include <string>

#include "settings/LoginItemService.h"

namespace brillex::sim {

// The login-item registration of the simulated computer. Calls succeed until
// failWith() makes every call refuse with that description.
class SimLoginItems : public LoginItemService {
public:
    std::optional<std::string> registerItem() override;
    std::optional<std::string> unregisterItem() override;

    void failWith(std::string description) { failure_ = std::move(description); }
    void succeed() { failure_.reset(); }
    bool isRegistered() const { return registered_; }

private:
    std::optional<std::string> change(bool registered);

    bool registered_ = false;
    std::optional<std::string> failure_;
};

} // namespace brillex::sim
