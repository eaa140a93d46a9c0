#include "platform/linux/ramps/SavedRampGuard.h"

#include <unistd.h>

#include <algorithm>

#include "base/Log.h"
#include "platform/linux/ramps/RampRecovery.h"

namespace brillex::x11 {

SavedRampGuard::SavedRampGuard(RampStore store, Options options)
    : store_(std::move(store)), options_(std::move(options)) {
    std::string why;
    if (!ensureGuardian(why)) logLine("Ramp guardian not started: " + why);
}

int SavedRampGuard::recoverAbandoned(const RampStore& store, const RampWriters& writers, const std::string& displayName,
                                     const std::string& writer) {
    const int self = ::getpid();
    return restoreSavedRamps(store, writers, [&](const SavedRamp& saved) {
        return saved.displayName == displayName && saved.writer == writer && saved.owner != self &&
               !isProcessAlive(saved.owner) && !isProcessAlive(saved.guardian, RampGuardian::kProcessName);
    });
}

void SavedRampGuard::dropGuardian() {
    if (!guardian_) return;
    guardian_.reset();
    if (options_.watch) options_.watch(-1);
}

bool SavedRampGuard::ensureGuardian(std::string& why) {
    if (guardian_ && !guardian_->hasEnded()) return true;
    dropGuardian();
    guardian_ = RampGuardian::start(options_.guardianHelper, store_.directory(), why);
    if (!guardian_) return false;
    // A new guardian holds every copy the last one held before it serves.
    for (auto& [crtc, kept] : kept_) {
        kept.saved.guardian = guardian_->pid();
        if (!guardian_->keep(kept.saved)) {
            why = "the new guardian did not take the native ramps";
            guardian_.reset();
            return false;
        }
        if (kept.inStore) store(kept, true);  // names the new guardian
    }
    if (options_.watch) options_.watch(guardian_->socket());
    return true;
}

std::optional<std::string> SavedRampGuard::whyUnprotected() {
    std::string noGuardian;
    if (ensureGuardian(noGuardian)) return std::nullopt;
    std::string notPrivate;
    if (store_.isPrivate(&notPrivate)) return std::nullopt;
    return "its native ramp cannot be kept safe: no ramp guardian runs (" + noGuardian + ") and " +
           store_.directory() + " is not a private folder of this user (" + notPrivate +
           "); remove it or make it a folder of your own with mode 0700, then switch the boost on again";
}

bool SavedRampGuard::handOver(Kept& kept) {
    std::string why;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!ensureGuardian(why)) return false;
        kept.saved.guardian = guardian_->pid();
        if (guardian_->keep(kept.saved)) return true;
        dropGuardian();  // died before it answered; the next attempt starts another
    }
    return false;
}

void SavedRampGuard::store(Kept& kept, bool durable) {
    std::string why;
    kept.inStore = store_.save(kept.saved, &why, durable);
    if (!kept.inStore && durable)
        logLine("Cannot save the native ramp of CRTC " + std::to_string(kept.saved.crtc) + ": " + why +
                "; the guardian alone keeps it");
}

bool SavedRampGuard::keepNative(CrtcId crtc, const CrtcRamp& native) {
    Kept kept{SavedRamp{options_.displayName, crtc, static_cast<int>(::getpid()), 0, native, {}, options_.writer}};
    const bool withGuardian = handOver(kept);
    if (withGuardian) {
        store(kept, true);
    } else {
        std::string why;
        kept.inStore = store_.save(kept.saved, &why, true);
        if (!kept.inStore) {
            logLine("Not changing CRTC " + std::to_string(crtc) + ": no ramp guardian runs and its native ramp " +
                    "cannot be saved (" + why + ")");
            return false;
        }
    }
    kept_.insert_or_assign(crtc, std::move(kept));
    return true;
}

void SavedRampGuard::willShow(CrtcId crtc, const CrtcRamp& ramp) {
    const auto it = kept_.find(crtc);
    if (it == kept_.end() || !it->second.inStore) return;
    // The ramp the CRTC shows now and the one on its way: whichever it shows
    // when the program dies, the next start recognises it as the program's.
    std::vector<std::uint32_t>& shown = it->second.saved.shown;
    const std::uint32_t next = rampChecksum(ramp);
    if (!shown.empty() && shown.back() == next) return;
    if (shown.size() == 2) shown.erase(shown.begin());
    shown.push_back(next);
    store(it->second, false);
}

void SavedRampGuard::nativeRestored(CrtcId crtc) {
    const auto it = kept_.find(crtc);
    if (it == kept_.end()) return;
    if (guardian_) guardian_->release(it->second.saved);
    if (it->second.inStore) store_.remove(store_.pathOf(it->second.saved));
    kept_.erase(it);
}

void SavedRampGuard::checkGuardian() {
    if (!guardian_ || !guardian_->hasEnded()) return;
    const int ended = guardian_->pid();
    std::string why;
    if (ensureGuardian(why)) {
        logLine("Ramp guardian " + std::to_string(ended) + " has ended; guardian " + std::to_string(guardianPid()) +
                " took over " + std::to_string(kept_.size()) + " native ramps");
        return;
    }
    if (kept_.empty()) {
        logLine("Ramp guardian " + std::to_string(ended) + " has ended and no new one starts: " + why);
        return;
    }
    logLine("Ramp guardian " + std::to_string(ended) + " has ended and no new one starts (" + why +
            "); switching every boost off");
    if (options_.unguarded) options_.unguarded();
}

} // namespace brillex::x11
