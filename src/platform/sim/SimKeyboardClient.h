#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/common/ClassRegistry.h"

namespace brillex::sim {

// The simulated `KeyboardBrightnessClient` and the backlight behind it.
class SimKeyboardClient : public platform::RegisteredClass {
public:
    // What "copyKeyboardBacklightIDs" answers; none answers nil.
    std::optional<std::vector<std::uint64_t>> ids = std::vector<std::uint64_t>{1};
    bool hasIDsSelector = true;
    bool hasGetter = true;
    bool hasPlainSetter = true;
    bool hasFadeSetter = true;
    // What either setter answers; a refused level leaves the backlight alone.
    bool setResult = true;
    // The backlight level as the hardware reports it (not clamped).
    float level = 0.5f;

    // Every set request received, for tests to inspect.
    struct SetRequest {
        float level;
        std::uint64_t keyboardID;
        bool faded;  // through the fade setter, with its two extra arguments:
        std::int32_t fadeSpeed;
        bool commit;
    };
    std::vector<SetRequest> requests;

    bool respondsTo(std::string_view selector) const override;
    platform::MethodAnswer receive(std::string_view selector, const MessageArguments& arguments) override;
};

} // namespace brillex::sim
