#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/linux/ramps/RampGuard.h"
#include "platform/linux/ramps/RampGuardian.h"
#include "platform/linux/ramps/RampStore.h"
#include "platform/linux/ramps/RampWriter.h"

namespace brillex::x11 {

// Keeps the native ramps of one display server's CRTCs twice while they are
// changed: with this process's guardian, which writes them back the moment
// the process dies, and in the ramp store, where the next start finds them
// when the guardian has died too. A boost goes ahead while either can hold
// them; a guardian that dies is started again and handed every copy anew.
class SavedRampGuard : public RampGuard {
public:
    struct Options {
        std::string displayName;                  // as the saved files name it
        std::string writer = "x11";               // what puts the ramps back (RampWriters)
        std::string guardianHelper;               // the guardian program; empty for none
        // Given each new guardian's socket, to call checkGuardian() when it
        // turns readable; -1 when none runs any more.
        std::function<void(int socket)> watch;
        // Called when the guardian died while holding ramps and none could
        // be started again: every boost must end.
        std::function<void()> unguarded;
    };

    // Starts the guardian; without one (logged) the store alone keeps the ramps.
    SavedRampGuard(RampStore store, Options options);

    // Writes back what an earlier run left saved in `store` for this
    // display and writer when both its program and its guardian have died;
    // returns how many ramps.
    static int recoverAbandoned(const RampStore& store, const RampWriters& writers, const std::string& displayName,
                                const std::string& writer);

    std::optional<std::string> whyUnprotected() override;
    bool keepNative(CrtcId crtc, const CrtcRamp& native) override;
    void willShow(CrtcId crtc, const CrtcRamp& ramp) override;
    void nativeRestored(CrtcId crtc) override;

    // The guardian's socket turned readable: when the guardian has gone, a
    // new one is started and given every copy again.
    void checkGuardian();
    // The running guardian's process id; 0 when there is none.
    int guardianPid() const { return guardian_ ? guardian_->pid() : 0; }

private:
    struct Kept {
        SavedRamp saved;
        bool inStore = false;
    };

    // Starts a guardian when none runs; false, with `why`, when none could be.
    bool ensureGuardian(std::string& why);
    void dropGuardian();
    // Hands `kept` to the guardian (a fresh one when the last has gone); false when none holds it.
    bool handOver(Kept& kept);
    void store(Kept& kept, bool durable);

    RampStore store_;
    Options options_;
    std::unique_ptr<RampGuardian> guardian_;
    std::map<CrtcId, Kept> kept_;
};

} // namespace brillex::x11
