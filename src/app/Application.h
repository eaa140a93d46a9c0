#pragma once

namespace brillex {

// Told by the application of the two moments of its life the program acts on.
class ApplicationDelegate {
public:
    virtual ~ApplicationDelegate() = default;

    // The event loop runs and the program may build its interface.
    virtual void applicationDidFinishLaunching() = 0;
    // The application is about to end; the last chance to put the displays back.
    virtual void applicationWillTerminate() = 0;
};

// The running application: its event loop, its delegate, its place in front.
class Application {
public:
    virtual ~Application() = default;

    // The delegate is referenced, not owned, and must outlive run().
    virtual void setDelegate(ApplicationDelegate& delegate) = 0;
    // Runs the event loop: tells the delegate when launching has finished,
    // and when the application terminates, then returns the exit status.
    virtual int run() = 0;
    // Ends the application (after telling the delegate); a second call does nothing.
    virtual void terminate() = 0;
    // Brings the program to the front; with `ignoringOtherApps` even while
    // another application is active, so its popover gets the keyboard focus.
    virtual void activateIgnoringOtherApps(bool ignoringOtherApps) = 0;
};

} // namespace brillex
