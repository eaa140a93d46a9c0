#pragma once

#include <set>
#include <string>

namespace brillex::x11 {

// Logs each distinct fault line once: a service that answers nonsense on
// every poll is reported the first time, not every few seconds.
class FaultLog {
public:
    void once(const std::string& line);

private:
    std::set<std::string> written_;
};

} // namespace brillex::x11
