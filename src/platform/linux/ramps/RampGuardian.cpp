#include "platform/linux/ramps/RampGuardian.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/linux/ramps/GuardianMessages.h"

extern char** environ;

namespace brillex::x11 {

namespace {

// A loaded machine may take a while to exec the guardian; a healthy one answers in milliseconds.
constexpr int kAnswerMilliseconds = 5000;
// The descriptor the guardian finds its end of the socket on.
constexpr int kGuardianSocket = 3;

bool isExecutable(const std::string& path) {
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Waits up to `milliseconds` for `socket` to be readable.
bool readable(int socket, int milliseconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd fd{socket, POLLIN, 0};
        const int n = ::poll(&fd, 1, static_cast<int>(std::max<long>(0, left.count())));
        if (n > 0) return true;
        if (n == 0 || errno != EINTR) return false;
    }
}

// The guardian's next message, when it comes in time and is of `type`.
bool answered(int socket, char type, std::string& payload) {
    char received = 0;
    return readable(socket, kAnswerMilliseconds) && guardian::receive(socket, received, payload) && received == type;
}

} // namespace

std::string RampGuardian::helperPath() {
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return {};
    const std::string path(self, static_cast<std::size_t>(n));
    const std::string folder = path.substr(0, path.rfind('/') + 1);
    for (const std::string& candidate : {folder + kProcessName, folder + BRILLEX_GUARD_FROM_PROGRAM})
        if (isExecutable(candidate)) return candidate;
    return {};
}

std::unique_ptr<RampGuardian> RampGuardian::start(const std::string& helper, const std::string& storeDirectory,
                                                  std::string& why) {
    if (helper.empty()) {
        why = std::string(kProcessName) + " is not installed beside the program or in its libexec folder";
        return nullptr;
    }
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    // Above the descriptor it is moved to, so that the move clears close-on-exec.
    const int theirs = ::fcntl(fds[1], F_DUPFD_CLOEXEC, kGuardianSocket + 1);
    ::close(fds[1]);
    if (theirs < 0) {
        why = std::strerror(errno);
        ::close(fds[0]);
        return nullptr;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, theirs, kGuardianSocket);
    const std::string program = std::to_string(::getpid());
    const std::string socketArgument = std::to_string(kGuardianSocket);
    std::vector<char*> argv{const_cast<char*>(kProcessName), const_cast<char*>(socketArgument.c_str()),
                            const_cast<char*>(program.c_str()), const_cast<char*>(storeDirectory.c_str()), nullptr};
    pid_t starter = 0;
    const int spawned = ::posix_spawn(&starter, helper.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(theirs);
    if (spawned != 0) {
        why = "cannot run " + helper + ": " + std::strerror(spawned);
        ::close(fds[0]);
        return nullptr;
    }
    // The guardian leaves its starter at once, which ends and is reaped here.
    while (::waitpid(starter, nullptr, 0) < 0 && errno == EINTR) {
    }
    std::string payload;
    const int guardian = answered(fds[0], guardian::kHello, payload) ? std::atoi(payload.c_str()) : 0;
    if (guardian <= 0) {
        why = helper + " did not answer";
        ::close(fds[0]);
        return nullptr;
    }
    return std::unique_ptr<RampGuardian>(new RampGuardian(fds[0], guardian));
}

bool RampGuardian::keep(const SavedRamp& saved) {
    if (!guardian::send(socket_, guardian::kKeep, encodeSavedRamp(saved))) return false;
    std::string payload;
    return answered(socket_, guardian::kKept, payload);
}

void RampGuardian::release(const SavedRamp& saved) {
    // When it has gone, hasEnded() tells, and there is nothing left to forget.
    guardian::send(socket_, guardian::kRelease, guardian::releaseKey(saved.writer, saved.displayName, saved.crtc));
}

bool RampGuardian::hasEnded() const {
    pollfd fd{socket_, POLLIN, 0};
    if (::poll(&fd, 1, 0) <= 0) return false;
    if (fd.revents & (POLLHUP | POLLERR)) return true;
    char byte = 0;
    const ssize_t n = ::recv(socket_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    return n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR);
}

RampGuardian::~RampGuardian() {
    guardian::send(socket_, guardian::kCleanExit);  // when it has gone already, nothing to tell
    ::close(socket_);
}

} // namespace brillex::x11
