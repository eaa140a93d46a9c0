#include "platform/macos/services/SymbolSignatures.h"

#include <array>
#include <functional>

#include "controls/DisplayBrightnessState.h"

namespace brillex::macos {

namespace {

struct Entry {
    const std::type_info& signature;
    std::any (*wrap)(void* address);
};

template <class Signature>
Entry entry() {
    return {typeid(Signature), [](void* address) {
                return std::any(std::function<Signature>(reinterpret_cast<Signature*>(address)));
            }};
}

} // namespace

std::any SymbolSignatures::wrap(void* address, const std::type_info& signature) {
    static const std::array<Entry, 3> table{
        entry<DisplayBrightnessState::GetSignature>(), // DisplayServicesGetBrightness
        entry<DisplayBrightnessState::SetSignature>(), // DisplayServicesSetBrightness
        entry<void(bool)>(),                           // SLSSetAppearanceThemeLegacy
    };
    if (!address) return {};
    for (const auto& known : table) {
        if (known.signature == signature) return known.wrap(address);
    }
    return {};
}

} // namespace brillex::macos
