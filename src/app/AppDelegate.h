#pragma once

#include <memory>
#include <optional>

#include "app/AppModels.h"
#include "app/Application.h"
#include "app/BoostPolicy.h"
#include "app/GlobalEventMonitor.h"
#include "app/Popover.h"
#include "app/StatusBar.h"
#include "base/MainLoop.h"
#include "keys/AccessibilityTrust.h"

namespace brillex {

// The application's delegate: builds the status item and its popover at
// launch, closes the popover on clicks elsewhere, wires the battery monitor,
// the key setting and the auto-off timer to the boost policy, and at
// termination switches every boost off so each display gets its table back.
class AppDelegate : public ApplicationDelegate {
public:
    // The platform ports the delegate talks to.
    struct Platform {
        StatusBar& statusBar;
        PopoverFactory& popovers;
        GlobalEventMonitor& eventMonitors;
        Application& application;
        MainLoop& loop;
        AccessibilityTrust& accessibility;

        // The ports installed for the running platform.
        static Platform installed();
    };

    static constexpr const char* kStatusSymbol = "sun.max.fill";
    static constexpr const char* kStatusDescription = "Brillex";

    AppDelegate(const Platform& platform, AppModels models);
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    void applicationDidFinishLaunching() override;
    void applicationWillTerminate() override;

    // The status item's action: opens the popover below the item with fresh,
    // polled system-brightness values, or closes it when shown.
    void togglePopover();
    // Closes the popover and stops the system-brightness polling.
    void closePopover();

    StatusItem* statusItem() const { return statusItem_.get(); }
    Popover* popover() const { return popover_.get(); }
    bool hasEventMonitor() const { return eventMonitor_.has_value(); }
    BoostPolicy& policy() { return policy_; }
    const BoostPolicy& policy() const { return policy_; }

private:
    void setupStatusItem();
    void setupPopover();
    void setupEventMonitor();

    Platform platform_;
    AppModels models_;

    std::unique_ptr<StatusItem> statusItem_;
    std::unique_ptr<Popover> popover_;
    std::optional<Subscription> eventMonitor_;
    // Holds the auto-off timer and the tracking and key-switch fields.
    BoostPolicy policy_;
};

} // namespace brillex
