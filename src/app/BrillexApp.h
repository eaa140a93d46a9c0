#pragma once

#include "app/AppDelegate.h"

namespace brillex {

// The application itself: makes the delegate and hands it to the platform's
// application, whose event loop then runs the program.
class BrillexApp {
public:
    BrillexApp(const AppDelegate::Platform& platform, AppModels models);
    BrillexApp(const BrillexApp&) = delete;
    BrillexApp& operator=(const BrillexApp&) = delete;

    // The entry point: the installed platform and the shared model objects;
    // returns the exit status when the application has ended.
    static int main();

    // Runs the application's event loop (launching the delegate first).
    int run();

    AppDelegate appDelegate;

private:
    Application& application_;
};

} // namespace brillex
