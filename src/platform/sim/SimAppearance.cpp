#include "platform/sim/SimAppearance.h"

#include <algorithm>

namespace brillex::sim {

SimAppearance::SimAppearance(MainLoop& loop, platform::LibraryRegistry& libraries) : loop_(loop), libraries_(libraries) {
    setFunctionPresent(true);
}

std::optional<std::string> SimAppearance::bestMatch(const std::vector<std::string>& names) const {
    if (std::find(names.begin(), names.end(), name_) == names.end()) return std::nullopt;
    return name_;
}

Subscription SimAppearance::observeThemeChanges(std::function<void()> changed) {
    return themeChanged_.connect(std::move(changed));
}

void SimAppearance::setName(std::string name) {
    name_ = std::move(name);
    loop_.post([this] { themeChanged_.emit(); });
}

void SimAppearance::setFunctionPresent(bool present) {
    if (!present) {
        libraries_.undefine(skyLightPath, themeFunction);
        return;
    }
    libraries_.define<void(bool)>(skyLightPath, themeFunction, [this](bool toDark) {
        ++functionCalls_;
        setName(toDark ? dark : light);
    });
}

} // namespace brillex::sim
