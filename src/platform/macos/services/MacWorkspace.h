#pragma once

#include "app/Workspace.h"

namespace brillex::macos {

// Links opened by the workspace: "mailto:" in the mail application, the
// "x-apple.systempreferences:" pages in System Settings.
class MacWorkspace : public Workspace {
public:
    bool openURL(const std::string& url) override;
};

} // namespace brillex::macos
