#pragma once

#include <memory>
#include <string>
#include <vector>

// GIO's types, named without its headers.
typedef struct _GSettings GSettings;
typedef struct _GSettingsSchemaSource GSettingsSchemaSource;
typedef struct _GVariant GVariant;

namespace brillex::x11 {

// One key of an installed GSettings schema, found only when it can take
// every value the program will write to it.
class GSettingsKey {
public:
    // The key in the schema from `source` (null: the default source, which
    // follows GSETTINGS_SCHEMA_DIR), on the default backend (GSETTINGS_BACKEND).
    // Each of `written` (floating references are sunk) must fit the key's type
    // and range. None, with one log line, when the schema is not installed or
    // the key is missing or cannot take them.
    static std::unique_ptr<GSettingsKey> find(GSettingsSchemaSource* source, const std::string& schemaId,
                                              const std::string& key, const std::vector<GVariant*>& written);
    ~GSettingsKey();
    GSettingsKey(const GSettingsKey&) = delete;
    GSettingsKey& operator=(const GSettingsKey&) = delete;

    // For a key that takes Booleans.
    bool boolean() const;
    // A value like those given to find(); the backend stores it in its own time.
    void set(GVariant* value);

private:
    GSettingsKey(GSettings* settings, std::string key);

    GSettings* settings_;
    std::string key_;
};

} // namespace brillex::x11
