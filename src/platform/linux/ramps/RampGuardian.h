#pragma once

#include <memory>

namespace brillex::x11 {

// A process beside the program that writes back every ramp the program
// saved when the program dies without doing so itself (SIGKILL, a crash,
// abort) and then exits. It learns of the death from the end of a socket
// that only the program holds open, and opens its own X connection only
// then. It is not the program's child (so it never lingers as a zombie) and
// it exits as soon as the program has gone, cleanly or not.
class RampGuardian {
public:
    // Forks the guardian. Must run before any thread starts. When it cannot
    // be started the program runs unguarded, which the log says.
    static std::unique_ptr<RampGuardian> start();

    // The name the guardian runs under.
    static constexpr const char* kProcessName = "brillex-guard";

    // The running guardian's process id; 0 when there is none.
    static int runningPid();

    // Tells the guardian that the program ends cleanly: it exits at once.
    ~RampGuardian();
    RampGuardian(const RampGuardian&) = delete;
    RampGuardian& operator=(const RampGuardian&) = delete;

private:
    RampGuardian(int socket, int pid) : socket_(socket), pid_(pid) {}

    int socket_;
    int pid_;
};

} // namespace brillex::x11
