#include "platform/linux/ramps/SavedRampGuard.h"

#include <X11/Xlib.h>

#include <unistd.h>

#include "platform/linux/ramps/RampGuardian.h"
#include "platform/linux/ramps/RampRecovery.h"

namespace brillex::x11 {

SavedRampGuard::SavedRampGuard(RampStore store, std::string displayName)
    : store_(std::move(store)), displayName_(std::move(displayName)) {}

std::unique_ptr<SavedRampGuard> SavedRampGuard::recoveredFor(const X11Connection& connection) {
    auto guard = std::make_unique<SavedRampGuard>(RampStore(RampStore::defaultDirectory()),
                                                  DisplayString(connection.display()));
    guard->recoverAbandoned();
    return guard;
}

int SavedRampGuard::recoverAbandoned() {
    const int self = ::getpid();
    return restoreSavedRamps(store_, [&](const SavedRamp& saved) {
        return saved.displayName == displayName_ && saved.owner != self && !isProcessAlive(saved.owner) &&
               !isProcessAlive(saved.guardian, RampGuardian::kProcessName);
    });
}

void SavedRampGuard::keepNative(CrtcId crtc, const CrtcRamp& native) {
    const SavedRamp saved{displayName_, crtc, static_cast<int>(::getpid()), RampGuardian::runningPid(), native};
    if (store_.save(saved)) kept_[crtc] = store_.pathOf(saved);
}

void SavedRampGuard::nativeRestored(CrtcId crtc) {
    const auto it = kept_.find(crtc);
    if (it == kept_.end()) return;
    store_.remove(it->second);
    kept_.erase(it);
}

} // namespace brillex::x11
