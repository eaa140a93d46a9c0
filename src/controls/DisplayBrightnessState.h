#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/MainLoop.h"
#include "base/OwnedTasks.h"
#include "base/Observable.h"
#include "boost/ScreenServices.h"

namespace brillex {

// The system (backlight) brightness of one display.
class DisplayBrightnessState : public ObservableObject {
public:
    // The brightness service's two functions; both answer 0 on success, the
    // getter writing a value in 0.0 to 1.0 through its pointer.
    using GetSignature = std::int32_t(DisplayId display, float* value);
    using SetSignature = std::int32_t(DisplayId display, float value);
    using GetFunction = std::function<GetSignature>;
    using SetFunction = std::function<SetSignature>;

    DisplayBrightnessState(DisplayId id, bool isBuiltIn, std::string name, std::optional<GetFunction> getBrightnessFunc,
                           std::optional<SetFunction> setBrightnessFunc, const ScreenServices& screens, MainLoop& loop);

    const DisplayId id;
    const bool isBuiltIn;
    const std::string name;

    // Last value read or successfully set, 0.0 to 1.0.
    Published<float> brightness{*this, 1.0f};
    // True from the first successful read on; never goes back.
    Published<bool> canReadBrightness{*this, false};

    const std::optional<GetFunction> getBrightnessFunc;
    const std::optional<SetFunction> setBrightnessFunc;
    // Both functions are there: the brightness can be shown and set.
    bool hasBrightnessControl() const { return getBrightnessFunc && setBrightnessFunc; }

    // Sends the value, clamped into 0.0 to 1.0 (not a number: 1.0), to the
    // system; true when it was accepted. The new value is published on a
    // later turn of the main loop.
    bool setBrightness(float value);
    // Publishes a value read from the system on a later turn of the main loop.
    void updateBrightness(float value);

    // brightness x 100, rounded half away from zero.
    int brightnessPercent() const;
    // Whether the display is at its full system brightness: the value read
    // when there is one, else judged from the screen's headroom.
    bool isAtFullBrightness() const;

private:
    const ScreenServices& screens_;
    // The state may be dropped (its screen removed) before a posted task runs.
    OwnedTasks tasks_;
};

} // namespace brillex
