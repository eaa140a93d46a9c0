#include "app/AppDelegate.h"

#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "controls/SystemBrightness.h"
#include "keys/KeyboardManager.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"

namespace brillex {

AppDelegate::Platform AppDelegate::Platform::installed() {
    return Platform{Port<StatusBar>::get(), Port<PopoverFactory>::get(), Port<GlobalEventMonitor>::get(),
                    Port<Application>::get(), Port<MainLoop>::get(), Port<AccessibilityTrust>::get()};
}

AppDelegate::AppDelegate(const Platform& platform, AppModels models)
    : platform_(platform), models_(std::move(models)), policy_(platform.loop, platform.accessibility, models_) {}

void AppDelegate::applicationDidFinishLaunching() {
    setupStatusItem();
    setupPopover();
    setupEventMonitor();

    // Bound to the settings and the manager, not to the delegate. Taking the
    // manager may create it, and with it the display list.
    auto& battery = models_.batteryMonitor();
    auto& settings = models_.settings();
    auto& manager = models_.brightnessManager();
    battery.onBatteryStateChanged = [&settings, &manager](bool isOnBattery, double chargeLevel) {
        BoostPolicy::handleBatteryStateChange(settings, manager, isOnBattery, chargeLevel);
    };
    battery.startMonitoring();

    policy_.setupKeyboardMonitoring();
    policy_.startAutoOffTimer();
}

void AppDelegate::setupStatusItem() {
    statusItem_ = platform_.statusBar.statusItemWithLength(StatusBar::variableLength);
    auto* button = statusItem_->button();
    if (!button) return;
    button->setImage(kStatusSymbol, kStatusDescription);
    button->setAction([this] { togglePopover(); });
}

void AppDelegate::setupPopover() {
    popover_ = platform_.popovers.makePopover();
    // Application-defined: the popover never closes by itself; clicks
    // elsewhere reach the mouse monitor, which closes it.
    popover_->setBehavior(PopoverBehavior::applicationDefined);
    popover_->setAnimates(true);
    popover_->hostContentView();
}

void AppDelegate::setupEventMonitor() {
    eventMonitor_ = platform_.eventMonitors.addGlobalMonitor(EventMask::leftMouseDown | EventMask::rightMouseDown,
                                                             [this] {
                                                                 if (popover_ && popover_->isShown()) closePopover();
                                                             });
}

void AppDelegate::togglePopover() {
    auto* button = statusItem_ ? statusItem_->button() : nullptr;
    if (!button || !popover_) return;
    if (popover_->isShown()) {
        closePopover();
        return;
    }
    auto& systemBrightness = models_.systemBrightness();
    systemBrightness.refreshBrightness();
    systemBrightness.startObserving();
    popover_->showRelativeTo(button->bounds(), *button, RectEdge::minY);
    platform_.application.activateIgnoringOtherApps(true);
}

void AppDelegate::closePopover() {
    if (popover_) popover_->performClose();
    models_.systemBrightness().stopObserving();
}

void AppDelegate::applicationWillTerminate() {
    policy_.autoOffTimer().invalidate();
    models_.batteryMonitor().stopMonitoring();
    // Removes every overlay and writes each saved transfer table back.
    models_.brightnessManager().disableAllBoosts();
    models_.keyboardManager().stopEventTap();
}

} // namespace brillex
