#pragma once

#include "app/Application.h"

namespace brillex::sim {

// The simulated application. Its event loop is the simulated computer's
// manual loop, which the caller drives, so run() returns once launching
// has finished.
class SimApplication : public Application {
public:
    void setDelegate(ApplicationDelegate& delegate) override { delegate_ = &delegate; }
    int run() override;
    void terminate() override;
    void activateIgnoringOtherApps(bool ignoringOtherApps) override;

    bool isLaunched() const { return launched_; }
    bool isTerminated() const { return terminated_; }
    int activations() const { return activations_; }
    bool lastActivationIgnoredOtherApps() const { return ignoredOtherApps_; }

private:
    ApplicationDelegate* delegate_ = nullptr;
    bool launched_ = false;
    bool terminated_ = false;
    int activations_ = 0;
    bool ignoredOtherApps_ = false;
};

} // namespace brillex::sim
