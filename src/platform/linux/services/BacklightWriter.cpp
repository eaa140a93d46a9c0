#include "platform/linux/services/BacklightWriter.h"

namespace brillex::x11 {

int BacklightWriter::write(const SysfsBacklight& device, std::uint32_t level,
                           const std::function<void(const std::string&)>& refused) {
    if (!writeDirectly_) {
        const auto why = session_.setBrightness("backlight", device.name(), level);
        if (!why) return 0;
        if (refused) refused(*why);
    }
    const int failure = device.write(level);
    if (failure == 0) writeDirectly_ = true;
    return failure;
}

} // namespace brillex::x11
