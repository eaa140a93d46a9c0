#include "platform/linux/services/GSettingsKey.h"

#include <gio/gio.h>

#include "base/Log.h"

namespace brillex::x11 {
namespace {

bool fits(GSettingsSchemaKey* key, GVariant* value) {
    return g_variant_is_of_type(value, g_settings_schema_key_get_value_type(key)) &&
           g_settings_schema_key_range_check(key, value);
}

} // namespace

std::unique_ptr<GSettingsKey> GSettingsKey::find(GSettingsSchemaSource* source, const std::string& schemaId,
                                                 const std::string& key, const std::vector<GVariant*>& written) {
    for (GVariant* value : written) g_variant_ref_sink(value);
    if (!source) source = g_settings_schema_source_get_default();
    GSettingsSchema* schema = source ? g_settings_schema_source_lookup(source, schemaId.c_str(), TRUE) : nullptr;
    std::unique_ptr<GSettingsKey> found;
    if (!schema) {
        logLine("GSettings: schema " + schemaId + " is not installed");
    } else if (!g_settings_schema_has_key(schema, key.c_str())) {
        logLine("GSettings: schema " + schemaId + " has no key " + key);
    } else {
        GSettingsSchemaKey* schemaKey = g_settings_schema_get_key(schema, key.c_str());
        bool allFit = true;
        for (GVariant* value : written) allFit = allFit && fits(schemaKey, value);
        if (allFit) {
            found.reset(new GSettingsKey(g_settings_new_full(schema, nullptr, nullptr), key));
        } else {
            gchar* type = g_variant_type_dup_string(g_settings_schema_key_get_value_type(schemaKey));
            logLine("GSettings: " + schemaId + " " + key + " of type " + type +
                    " cannot take the values this program writes");
            g_free(type);
        }
        g_settings_schema_key_unref(schemaKey);
    }
    if (schema) g_settings_schema_unref(schema);
    for (GVariant* value : written) g_variant_unref(value);
    return found;
}

GSettingsKey::GSettingsKey(GSettings* settings, std::string key) : settings_(settings), key_(std::move(key)) {}

GSettingsKey::~GSettingsKey() {
    g_object_unref(settings_);
}

bool GSettingsKey::boolean() const {
    return g_settings_get_boolean(settings_, key_.c_str());
}

void GSettingsKey::set(GVariant* value) {
    g_settings_set_value(settings_, key_.c_str(), value);
}

} // namespace brillex::x11
