#pragma once

#include "settings/LoginItemService.h"

namespace brillex::macos {

// The application itself as a login item (ServiceManagement's main-app
// service). A registration the user has still to approve in System Settings
// counts as made; the system lists it under Login Items.
class MacLoginItems : public LoginItemService {
public:
    std::optional<std::string> registerItem() override;
    std::optional<std::string> unregisterItem() override;
};

} // namespace brillex::macos
