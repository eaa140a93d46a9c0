#pragma once

#include <memory>
#include <string>

#include "platform/linux/ramps/SavedRamp.h"

namespace brillex::x11 {

// The program's end of its guardian: a process beside it (the small
// brillex-guard program) that holds a copy of every native ramp the program
// has changed and writes them back when the program dies without doing so
// itself (SIGKILL, a crash, abort), then exits. It learns of the death from
// the end of a socket that only the program holds open. It is started by
// exec, so it can be started again at any time, also from a threaded
// program, and it is not the program's child (so it never lingers as a
// zombie); it exits as soon as the program has gone, cleanly or not.
class RampGuardian {
public:
    // The name the guardian runs under.
    static constexpr const char* kProcessName = "brillex-guard";

    // The guardian program beside this program's own binary, else where an
    // installation puts it (../libexec/brillex from the binary's folder);
    // empty when neither is there.
    static std::string helperPath();

    // Starts `helper` as this process's guardian, which falls back on the
    // saved ramps in `storeDirectory` for what it does not hold itself;
    // none, with `why` set, when it cannot be started or does not answer.
    static std::unique_ptr<RampGuardian> start(const std::string& helper, const std::string& storeDirectory,
                                               std::string& why);

    // Tells the guardian that the program ends cleanly: it exits at once.
    ~RampGuardian();
    RampGuardian(const RampGuardian&) = delete;
    RampGuardian& operator=(const RampGuardian&) = delete;

    int pid() const { return pid_; }
    // Readable (at its end) once the guardian has gone.
    int socket() const { return socket_; }

    // Hands over a copy of a native ramp; true once the guardian holds it.
    bool keep(const SavedRamp& saved);
    // The CRTC has its native ramp back: the guardian forgets the copy.
    void release(const SavedRamp& saved);
    // Whether the guardian has gone (its end of the socket is closed); never waits.
    bool hasEnded() const;

private:
    RampGuardian(int socket, int pid) : socket_(socket), pid_(pid) {}

    int socket_;
    int pid_;
};

} // namespace brillex::x11
