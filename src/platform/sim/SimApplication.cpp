#include "platform/sim/SimApplication.h"

namespace brillex::sim {

int SimApplication::run() {
    if (launched_ || terminated_) return 0;
    launched_ = true;
    if (delegate_) delegate_->applicationDidFinishLaunching();
    return 0;
}

void SimApplication::terminate() {
    if (terminated_) return;
    terminated_ = true;
    if (delegate_) delegate_->applicationWillTerminate();
}

void SimApplication::activateIgnoringOtherApps(bool ignoringOtherApps) {
    ++activations_;
    ignoredOtherApps_ = ignoringOtherApps;
}

} // namespace brillex::sim
