#pragma once

#include "settings/LoginItemService.h"

namespace brillex::x11 {

// Until autostart is written: registration fails with a text saying why.
class NoLoginItems : public LoginItemService {
public:
    std::optional<std::string> registerItem() override { return std::string(kUnavailable); }
    std::optional<std::string> unregisterItem() override { return std::string(kUnavailable); }

private:
    static constexpr const char* kUnavailable = "opening at login is not available on this system yet";
};

} // namespace brillex::x11
