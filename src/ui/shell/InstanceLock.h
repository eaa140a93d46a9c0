#pragma once

#include <string>

namespace brillex {

// The single-instance guard where no session bus carries the name: an
// exclusive lock on a file in the user's runtime folder, held until the
// process ends (the system lets go of it however the process ends).
class InstanceLock {
public:
    enum class Result { held, taken, unavailable };

    // Takes the lock on `path`; `unavailable` (with one log line) when the
    // file cannot be opened or locked for another reason than another owner.
    explicit InstanceLock(const std::string& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    Result result() const { return result_; }
    // "brillex.lock" in the runtime folder ($XDG_RUNTIME_DIR, or the one Qt makes).
    static std::string defaultPath();

private:
    int fd_ = -1;
    Result result_ = Result::unavailable;
};

} // namespace brillex
