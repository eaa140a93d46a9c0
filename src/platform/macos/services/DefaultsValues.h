#pragma once

#include "platform/macos/services/PropertyValue.h"
#include "settings/SettingsStore.h"

namespace brillex::macos {

// How settings live in the user defaults: Booleans as Boolean values,
// integers as integral numbers, texts as strings, so that `defaults read`
// shows each key with its type.
PropertyValue propertyValueOf(const SettingValue& value);

// A defaults value as the store hands it over. A value of a kind the store
// never writes (a fraction, data, a list written with `defaults write`) comes
// as its text, which the typed readers report once and read as the default.
SettingValue settingValueOf(const PropertyValue& value);

} // namespace brillex::macos
