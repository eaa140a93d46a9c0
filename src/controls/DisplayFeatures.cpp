#include "controls/DisplayFeatures.h"

#include <string>

#include "base/Format.h"
#include "base/Log.h"
#include "base/Port.h"

namespace brillex {
namespace {

constexpr const char* blueLightClass = "CBBlueLightClient";
constexpr const char* trueToneClass = "CBTrueToneClient";
constexpr const char* skyLightPath = "/System/Library/PrivateFrameworks/SkyLight.framework/SkyLight";
constexpr const char* appearanceFunctionName = "SLSSetAppearanceThemeLegacy";
constexpr const char* darkAppearance = "NSAppearanceNameDarkAqua";
constexpr const char* lightAppearance = "NSAppearanceNameAqua";

void log(const std::string& text) {
    logLine("DisplayFeatures: " + text);
}

} // namespace

DisplayFeatures& DisplayFeatures::shared() {
    static auto* instance = new DisplayFeatures(Port<MainLoop>::get(), Port<ObjectRuntime>::get(),
                                                Port<LibraryLoader>::get(), Port<Appearance>::get());
    return *instance;
}

DisplayFeatures::DisplayFeatures(MainLoop& loop, ObjectRuntime& runtime, LibraryLoader& libraries,
                                 Appearance& appearance)
    : runtime_(runtime), libraries_(libraries), appearance_(appearance), tasks_(loop) {
    setUpNightShift();
    setUpTrueTone();
    isDarkModeAvailable = appearanceFunction().has_value();
    themeChanges_ = appearance_.observeThemeChanges([this] { readDarkMode(); });
    refresh();
}

void DisplayFeatures::setUpNightShift() {
    if (!runtime_.hasClass(blueLightClass)) {
        log("CBBlueLightClient not found");
        return;
    }
    blueLightClient_ = runtime_.create(blueLightClass);
    if (blueLightClient_) {
        isNightShiftAvailable = true;
        log("CBBlueLightClient initialized");
    }
}

void DisplayFeatures::setUpTrueTone() {
    if (!runtime_.hasClass(trueToneClass)) return;
    trueToneClient_ = runtime_.create(trueToneClass);
    // Without an instance there is nothing to switch; the next refresh tries again.
    if (!trueToneClient_) {
        isTrueToneAvailable = false;
        return;
    }
    if (runtime_.respondsTo(trueToneClient_, "supported")) {
        isTrueToneAvailable = runtime_.callBool(trueToneClient_, "supported", {});
        log("True Tone supported = " + formatBool(isTrueToneAvailable));
    } else {
        isTrueToneAvailable = true;
        log("CBTrueToneClient initialized");
    }
}

void DisplayFeatures::refresh() {
    readNightShift();
    if (!trueToneClient_) setUpTrueTone();
    if (trueToneClient_) readTrueTone();
    readDarkMode();
}

void DisplayFeatures::readNightShift() {
    if (!runtime_.respondsTo(blueLightClient_, "isEnabled")) return;
    const bool enabled = runtime_.callBool(blueLightClient_, "isEnabled", {});
    tasks_.post([this, enabled] { isNightShiftEnabled = enabled; });
    log("Night Shift = " + formatBool(enabled));
}

void DisplayFeatures::readTrueTone() {
    if (!runtime_.respondsTo(trueToneClient_, "enabled")) return;
    const bool enabled = runtime_.callBool(trueToneClient_, "enabled", {});
    tasks_.post([this, enabled] { isTrueToneEnabled = enabled; });
    log("True Tone = " + formatBool(enabled));
}

void DisplayFeatures::readDarkMode() {
    const bool dark = appearance_.bestMatch({darkAppearance, lightAppearance}) == darkAppearance;
    tasks_.post([this, dark] { isDarkModeEnabled = dark; });
}

void DisplayFeatures::setNightShift(bool enabled) {
    if (!runtime_.respondsTo(blueLightClient_, "setEnabled:")) return;
    runtime_.call(blueLightClient_, "setEnabled:", {enabled});
    tasks_.post([this, enabled] { isNightShiftEnabled = enabled; });
    log("Night Shift set to " + formatBool(enabled));
}

void DisplayFeatures::setTrueTone(bool enabled) {
    if (!runtime_.respondsTo(trueToneClient_, "setEnabled:")) return;
    runtime_.call(trueToneClient_, "setEnabled:", {enabled});
    tasks_.post([this, enabled] { isTrueToneEnabled = enabled; });
    log("True Tone set to " + formatBool(enabled));
}

std::optional<std::function<void(bool)>> DisplayFeatures::appearanceFunction() {
    const auto skyLight = libraries_.open(skyLightPath);
    return skyLight.library ? skyLight.library->function<void(bool)>(appearanceFunctionName) : std::nullopt;
}

void DisplayFeatures::setDarkMode(bool enabled) {
    const auto setTheme = appearanceFunction();
    if (!setTheme) {
        log("Dark mode - SkyLight method not available");
        return;
    }
    (*setTheme)(enabled);
    tasks_.post([this, enabled] { isDarkModeEnabled = enabled; });
    log("Dark mode set to " + formatBool(enabled) + " via SkyLight");
}

} // namespace brillex
