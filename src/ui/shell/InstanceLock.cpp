#include "ui/shell/InstanceLock.h"

#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "base/Log.h"

namespace brillex {

InstanceLock::InstanceLock(const std::string& path) {
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
        logLine("Control: cannot open " + path + " (" + std::strerror(errno) + "); a second start cannot be told apart");
        return;
    }
    if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
        result_ = Result::held;
        return;
    }
    const int error = errno;
    ::close(fd_);
    fd_ = -1;
    if (error == EWOULDBLOCK) {
        result_ = Result::taken;
        return;
    }
    logLine("Control: cannot lock " + path + " (" + std::strerror(error) + "); a second start cannot be told apart");
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) ::close(fd_);
}

std::string InstanceLock::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).toStdString() + "/brillex.lock";
}

} // namespace brillex
