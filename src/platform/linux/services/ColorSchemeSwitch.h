#pragma once

#include "platform/common/LibraryRegistry.h"
#include "platform/linux/services/GSettingsKey.h"

namespace brillex::x11 {

inline constexpr const char* skyLightPath = "/System/Library/PrivateFrameworks/SkyLight.framework/SkyLight";
inline constexpr const char* appearanceThemeFunction = "SLSSetAppearanceThemeLegacy";

// Exports, as SkyLight's appearance function through which the program
// switches Dark Mode, a switch of GNOME's org.gnome.desktop.interface
// color-scheme ('prefer-dark' / 'default'). Without that key nothing is
// exported. `schemas`: where the schema is looked up; null for the default.
void exportColorSchemeSwitch(platform::LibraryRegistry& libraries, GSettingsSchemaSource* schemas = nullptr);

} // namespace brillex::x11
