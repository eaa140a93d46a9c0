#pragma once

#include <string>

namespace brillex {

// The desktop's handler of links ("mailto:", system settings pages).
class Workspace {
public:
    virtual ~Workspace() = default;

    // Opens `url` with the application the system picks; false when nothing could open it.
    virtual bool openURL(const std::string& url) = 0;
};

} // namespace brillex
