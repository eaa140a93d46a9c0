#pragma once

#include <cstdint>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "controls/ObjectRuntime.h"
#include "base/OwnedTasks.h"

namespace brillex {

// The built-in keyboard's backlight, driven through the platform's private
// `KeyboardBrightnessClient`; reports itself unavailable when the class, its
// selectors or a backlight id are missing.
class KeyboardBrightness : public ObservableObject {
public:
    static KeyboardBrightness& shared();

    // Sets up the client at once; there is no later retry.
    KeyboardBrightness(MainLoop& loop, ObjectRuntime& runtime);

    // The backlight level last read or requested, 0.0 to 1.0.
    Published<float> brightness{*this, 0.5f};
    // Fixed at creation: true when the client exists and a backlight id was found.
    Published<bool> isAvailable{*this, false};

    // Re-reads the level; the published value follows on a later turn.
    void readBrightness();
    // Requests a level (clamped into 0.0 to 1.0, NaN as 1.0). The published
    // value follows the request whatever the client answers.
    void setBrightness(float value);

    // The backlight id used in every call; 0 means none.
    std::uint64_t keyboardID() const { return keyboardID_; }

private:
    void setUp();

    ObjectRuntime& runtime_;
    OwnedTasks tasks_;
    ObjectRef brightnessClient_;
    std::uint64_t keyboardID_ = 0;
};

} // namespace brillex
