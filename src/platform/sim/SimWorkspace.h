#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"

namespace brillex::sim {

// Records the links the program opens.
class SimWorkspace : public Workspace {
public:
    bool openURL(const std::string& url) override {
        opened_.push_back(url);
        return opens_;
    }

    // Whether a handler is found for links (one is by default).
    void setOpens(bool opens) { opens_ = opens; }
    const std::vector<std::string>& opened() const { return opened_; }

private:
    bool opens_ = true;
    std::vector<std::string> opened_;
};

} // namespace brillex::sim
