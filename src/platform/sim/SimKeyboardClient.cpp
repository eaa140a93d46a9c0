#include "platform/sim/SimKeyboardClient.h"

namespace brillex::sim {

bool SimKeyboardClient::respondsTo(std::string_view selector) const {
    if (selector == "copyKeyboardBacklightIDs") return hasIDsSelector;
    if (selector == "brightnessForKeyboard:") return hasGetter;
    if (selector == "setBrightness:forKeyboard:") return hasPlainSetter;
    if (selector == "setBrightness:fadeSpeed:commit:forKeyboard:") return hasFadeSetter;
    return false;
}

platform::MethodAnswer SimKeyboardClient::receive(std::string_view selector, const MessageArguments& arguments) {
    if (selector == "copyKeyboardBacklightIDs") {
        unpack<>(selector, arguments);
        return ids;
    }
    if (selector == "brightnessForKeyboard:") {
        unpack<std::uint64_t>(selector, arguments);
        return level;
    }
    SetRequest request{};
    if (selector == "setBrightness:forKeyboard:") {
        std::tie(request.level, request.keyboardID) = unpack<float, std::uint64_t>(selector, arguments);
    } else if (selector == "setBrightness:fadeSpeed:commit:forKeyboard:") {
        request.faded = true;
        std::tie(request.level, request.fadeSpeed, request.commit, request.keyboardID) =
            unpack<float, std::int32_t, bool, std::uint64_t>(selector, arguments);
    } else {
        unrecognized(selector);
    }
    requests.push_back(request);
    if (setResult) level = request.level;
    return setResult;
}

} // namespace brillex::sim
