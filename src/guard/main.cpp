// brillex-guard: the guardian of a running brillex (see RampGuardian). Not
// for starting by hand: the program runs it as
//   brillex-guard SOCKET PROGRAM STORE
// with its end of a socket on descriptor SOCKET, its own process id and the
// folder of its saved ramps.

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "platform/linux/ramps/GuardianProcess.h"
#include "platform/linux/wayland/MutterRampWriter.h"
#include "platform/linux/x11/XRampWriter.h"

using namespace brillex::x11;

namespace {

bool parsePositive(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value > 0;
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

} // namespace

int main(int argc, char** argv) {
    int socket = 0;
    int program = 0;
    if (argc != 4 || !parsePositive(argv[1], socket) || !parsePositive(argv[2], program) || argv[3][0] != '/') {
        std::fprintf(stderr, "brillex-guard is started by brillex, not by hand\n");
        return 2;
    }
    // Signals meant for the program's terminal or process group are the
    // program's business; the guardian ends when the program has gone.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2}) ::signal(signal, SIG_IGN);
    closeInheritedFiles(socket);
    // Leaving the starter at once makes the guardian init's (or the session
    // subreaper's) rather than the program's child.
    const pid_t guardian = ::fork();
    if (guardian < 0) return 1;
    if (guardian > 0) return 0;
    if (::chdir("/") != 0) {
        // Only keeps the guardian from pinning the program's working folder.
    }
    RampWriters writers;
    writers.add(XRampWriter::kName, std::make_unique<XRampWriter>());
    writers.add(brillex::wayland::MutterRampWriter::kName, std::make_unique<brillex::wayland::MutterRampWriter>());
    return runGuardian(socket, program, RampStore(argv[3]), writers);
}
