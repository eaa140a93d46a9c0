#include "platform/linux/services/ColorSchemeSwitch.h"

#include <gio/gio.h>

#include <memory>

namespace brillex::x11 {

void exportColorSchemeSwitch(platform::LibraryRegistry& libraries, GSettingsSchemaSource* schemas) {
    std::shared_ptr<GSettingsKey> colorScheme =
        GSettingsKey::find(schemas, "org.gnome.desktop.interface", "color-scheme",
                           {g_variant_new_string("prefer-dark"), g_variant_new_string("default")});
    if (!colorScheme) return;
    libraries.define<void(bool)>(skyLightPath, appearanceThemeFunction, [colorScheme](bool dark) {
        colorScheme->set(g_variant_new_string(dark ? "prefer-dark" : "default"));
    });
}

} // namespace brillex::x11
