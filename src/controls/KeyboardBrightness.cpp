#include "controls/KeyboardBrightness.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/Format.h"
#include "base/Log.h"
#include "base/Port.h"

namespace brillex {
namespace {

constexpr const char* clientClass = "KeyboardBrightnessClient";
constexpr const char* copyIDsSelector = "copyKeyboardBacklightIDs";
constexpr const char* getterSelector = "brightnessForKeyboard:";
constexpr const char* setterSelector = "setBrightness:forKeyboard:";
constexpr const char* fadeSetterSelector = "setBrightness:fadeSpeed:commit:forKeyboard:";

void log(const std::string& text) {
    logLine("KeyboardBrightness: " + text);
}

} // namespace

KeyboardBrightness& KeyboardBrightness::shared() {
    static auto* instance = new KeyboardBrightness(Port<MainLoop>::get(), Port<ObjectRuntime>::get());
    return *instance;
}

KeyboardBrightness::KeyboardBrightness(MainLoop& loop, ObjectRuntime& runtime) : runtime_(runtime), tasks_(loop) {
    log("Initializing...");
    setUp();
    log("isAvailable = " + formatBool(isAvailable));
    if (isAvailable) readBrightness();
}

void KeyboardBrightness::setUp() {
    if (!runtime_.hasClass(clientClass)) {
        log("KeyboardBrightnessClient class not found");
        isAvailable = false;
        return;
    }
    brightnessClient_ = runtime_.create(clientClass);
    log("KeyboardBrightnessClient initialized");

    if (!runtime_.respondsTo(brightnessClient_, copyIDsSelector)) {
        log("copyKeyboardBacklightIDs not available");
        isAvailable = false;
        return;
    }
    const auto ids = runtime_.callNumberArray(brightnessClient_, copyIDsSelector, {});
    // Id 0 stands for "none" in every later call, so a list led by it finds no keyboard.
    if (!ids || ids->empty() || ids->front() == 0) {
        log("No keyboard IDs found");
        isAvailable = false;
        return;
    }
    keyboardID_ = ids->front();
    isAvailable = true;
    log("Found keyboard ID: " + std::to_string(keyboardID_));
}

void KeyboardBrightness::readBrightness() {
    if (!brightnessClient_ || keyboardID_ == 0 || !runtime_.respondsTo(brightnessClient_, getterSelector)) return;
    const float level = runtime_.callFloat(brightnessClient_, getterSelector, {keyboardID_});
    // A level that is not a number says nothing about the backlight: keep what is shown.
    if (!std::isnan(level)) {
        tasks_.post([this, shown = std::clamp(level, 0.0f, 1.0f)] { brightness = shown; });
    }
    log("Read brightness = " + formatNumber(level));
}

void KeyboardBrightness::setBrightness(float value) {
    const float level = std::isnan(value) ? 1.0f : std::clamp(value, 0.0f, 1.0f);
    tasks_.post([this, level] { brightness = level; });

    if (!brightnessClient_ || keyboardID_ == 0) {
        log("No client or keyboard ID");
        return;
    }
    if (runtime_.respondsTo(brightnessClient_, setterSelector)) {
        const bool result = runtime_.callBool(brightnessClient_, setterSelector, {level, keyboardID_});
        log("Set brightness to " + formatNumber(level) + ", result: " + formatBool(result));
    } else if (runtime_.respondsTo(brightnessClient_, fadeSetterSelector)) {
        const bool result = runtime_.callBool(brightnessClient_, fadeSetterSelector,
                                              {level, std::int32_t{0}, true, keyboardID_});
        log("Set brightness to " + formatNumber(level) + " with commit, result: " + formatBool(result));
    } else {
        log("setBrightness methods not available");
    }
}

} // namespace brillex
