#pragma once

#include "app/Workspace.h"

namespace brillex {

// Opens links with the desktop's handler for their scheme.
class QtWorkspace : public Workspace {
public:
    bool openURL(const std::string& url) override;
};

} // namespace brillex
