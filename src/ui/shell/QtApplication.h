#pragma once

#include <functional>

#include "app/Application.h"

namespace brillex {

// The application on Qt's event loop. The delegate hears of the end exactly
// once, whether the program ends through terminate() or Qt quits by itself
// (the session ending).
class QtApplication : public Application {
public:
    void setDelegate(ApplicationDelegate& delegate) override { delegate_ = &delegate; }
    int run() override;
    void terminate() override;
    void activateIgnoringOtherApps(bool ignoringOtherApps) override;

    // Runs right after the delegate has finished launching, on the same turn.
    std::function<void()> afterLaunch;

private:
    void tellTermination();

    ApplicationDelegate* delegate_ = nullptr;
    bool terminating_ = false;
};

} // namespace brillex
