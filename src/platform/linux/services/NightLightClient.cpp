#include "platform/linux/services/NightLightClient.h"

#include <gio/gio.h>

namespace brillex::x11 {

NightLightClient::NightLightClient(GSettingsSchemaSource* schemas)
    : enabled_(GSettingsKey::find(schemas, "org.gnome.settings-daemon.plugins.color", "night-light-enabled",
                                  {g_variant_new_boolean(TRUE), g_variant_new_boolean(FALSE)})) {
    exists = enabled_ != nullptr;
}

bool NightLightClient::respondsTo(std::string_view selector) const {
    return enabled_ && (selector == "isEnabled" || selector == "setEnabled:");
}

platform::MethodAnswer NightLightClient::receive(std::string_view selector, const MessageArguments& arguments) {
    if (!respondsTo(selector)) unrecognized(selector);
    if (selector == "isEnabled") {
        unpack<>(selector, arguments);
        return enabled_->boolean();
    }
    const auto [enabled] = unpack<bool>(selector, arguments);
    enabled_->set(g_variant_new_boolean(enabled));
    return {};
}

} // namespace brillex::x11
