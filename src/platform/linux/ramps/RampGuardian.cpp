#include "platform/linux/ramps/RampGuardian.h"

#include <dirent.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "base/Log.h"
#include "platform/linux/ramps/RampRecovery.h"

namespace brillex::x11 {

namespace {

constexpr char kCleanExit = 'q';
int runningGuardian = 0;

bool readFully(int fd, void* data, std::size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t n = ::read(fd, bytes, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Everything the program had open besides the standard streams and the socket
// would otherwise stay open as long as the guardian lives.
void closeInheritedFiles(int keep) {
    DIR* fds = ::opendir("/proc/self/fd");
    if (!fds) return;
    const int own = ::dirfd(fds);
    while (const dirent* item = ::readdir(fds)) {
        const int fd = std::atoi(item->d_name);
        if (fd > STDERR_FILENO && fd != keep && fd != own) ::close(fd);
    }
    ::closedir(fds);
}

[[noreturn]] void guard(int socket, pid_t program, const std::string& directory) {
    // Signals meant for the program's terminal or process group are the
    // program's business; the guardian ends when the program has gone.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2})
        ::signal(signal, SIG_IGN);
    ::prctl(PR_SET_NAME, RampGuardian::kProcessName);
    closeInheritedFiles(socket);
    if (::chdir("/") != 0) {
        // Only keeps the guardian from pinning the program's working folder.
    }
    const pid_t self = ::getpid();
    if (::write(socket, &self, sizeof self) != static_cast<ssize_t>(sizeof self)) ::_exit(1);

    char message = 0;
    ssize_t n;
    do n = ::read(socket, &message, 1);
    while (n < 0 && errno == EINTR);
    if (n == 1 && message == kCleanExit) ::_exit(0);

    const RampStore store(directory);
    restoreSavedRamps(store, [program](const SavedRamp& saved) { return saved.owner == program; });
    store.removeUnfinished(program);
    ::_exit(0);
}

} // namespace

std::unique_ptr<RampGuardian> RampGuardian::start() {
    const std::string& directory = RampStore::defaultDirectory();
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        logLine(std::string("Ramp guardian not started: ") + std::strerror(errno));
        return nullptr;
    }
    const pid_t program = ::getpid();
    // Output still buffered would otherwise be written twice, once by the guardian.
    std::cout.flush();
    std::fflush(nullptr);
    const pid_t middle = ::fork();
    if (middle == 0) {
        // The middle process exits at once, so the guardian is adopted by
        // init (or the session's subreaper) rather than left to the program.
        ::close(fds[0]);
        if (::fork() == 0) guard(fds[1], program, directory);
        ::_exit(0);
    }
    ::close(fds[1]);
    if (middle < 0) {
        logLine(std::string("Ramp guardian not started: ") + std::strerror(errno));
        ::close(fds[0]);
        return nullptr;
    }
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid_t guardian = 0;
    if (!readFully(fds[0], &guardian, sizeof guardian)) {
        logLine("Ramp guardian not started: it did not answer");
        ::close(fds[0]);
        return nullptr;
    }
    runningGuardian = guardian;
    return std::unique_ptr<RampGuardian>(new RampGuardian(fds[0], guardian));
}

int RampGuardian::runningPid() { return runningGuardian; }

RampGuardian::~RampGuardian() {
    const char message = kCleanExit;
    if (::send(socket_, &message, 1, MSG_NOSIGNAL) != 1) {
        // Already gone; nothing to tell.
    }
    ::close(socket_);
    if (runningGuardian == pid_) runningGuardian = 0;
}

} // namespace brillex::x11
