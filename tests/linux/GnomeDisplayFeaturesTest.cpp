#include <gtest/gtest.h>

#include <gio/gio.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "controls/DisplayFeatures.h"
#include "platform/common/ClassRegistry.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/services/ColorSchemeSwitch.h"
#include "platform/linux/services/NightLightClient.h"
#include "platform/linux/services/PortalAppearance.h"
#include "support/PrivateBus.h"

namespace brillex::x11 {
namespace {

// GNOME's settings on the in-memory backend, from the test schemas; the core's
// DisplayFeatures drives them through the night-light class and the colour-scheme switch.
class GnomeDisplayFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Before GIO picks its default backend: never the user's dconf.
        setenv("GSETTINGS_BACKEND", "memory", 1);
        if (!bus().running()) GTEST_SKIP() << "dbus-daemon is not installed";
    }
    void TearDown() override {
        features.reset();
        nightLight.reset();
        held.clear();
        if (schemas) g_settings_schema_source_unref(schemas);
        schemas = nullptr;
    }

    static test::PrivateBus& bus() {
        static test::PrivateBus instance;
        return instance;
    }

    void useSchemas(const std::string& folder) {
        GError* error = nullptr;
        schemas = g_settings_schema_source_new_from_directory(folder.c_str(), nullptr, TRUE, &error);
        ASSERT_NE(schemas, nullptr) << error->message;
    }
    // The features on the schemas in use, with no portal on the bus.
    void start() {
        nightLight = std::make_unique<NightLightClient>(schemas);
        objects = std::make_unique<platform::ClassRegistry>(
            std::initializer_list<std::pair<const std::string, platform::RegisteredClass*>>{
                {NightLightClient::className, nightLight.get()}});
        exportColorSchemeSwitch(libraries, schemas);
        appearance = std::make_unique<PortalAppearance>(bus().connect("features"));
        features = std::make_unique<DisplayFeatures>(loop, *objects, libraries, *appearance);
        loop.runPending();
    }

    // GNOME's own view of a key, as another program on the desktop has it.
    GSettings* gnome(const char* schemaId) {
        GSettingsSchema* schema = g_settings_schema_source_lookup(schemas, schemaId, FALSE);
        GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
        held.emplace_back(settings, g_object_unref);
        return settings;
    }
    std::string colorScheme() {
        gchar* value = g_settings_get_string(gnome("org.gnome.desktop.interface"), "color-scheme");
        std::string text = value;
        g_free(value);
        return text;
    }
    // The lines of the program's own classes, not those of the absent portal.
    std::vector<std::string> featureLines() const {
        std::vector<std::string> lines;
        for (const auto& line : log.lines()) {
            if (line.rfind("PortalAppearance: ", 0) != 0) lines.push_back(line);
        }
        return lines;
    }

    LogCapture log;
    ManualLoop loop;
    GSettingsSchemaSource* schemas = nullptr;
    std::unique_ptr<NightLightClient> nightLight;
    std::unique_ptr<platform::ClassRegistry> objects;
    platform::LibraryRegistry libraries;
    std::unique_ptr<PortalAppearance> appearance;
    std::unique_ptr<DisplayFeatures> features;
    std::vector<std::unique_ptr<GSettings, void (*)(gpointer)>> held;
};

TEST_F(GnomeDisplayFeaturesTest, NightShiftIsGnomesNightLightReadAndSwitchedAndTrueToneDoesNotExist) {
    useSchemas(BRILLEX_TEST_SCHEMAS_DIR "/good");
    g_settings_set_boolean(gnome("org.gnome.settings-daemon.plugins.color"), "night-light-enabled", TRUE);
    start();

    EXPECT_TRUE(features->isNightShiftAvailable);
    EXPECT_TRUE(features->isNightShiftEnabled);
    EXPECT_FALSE(features->isTrueToneAvailable);
    EXPECT_EQ(featureLines(),
              (std::vector<std::string>{"DisplayFeatures: CBBlueLightClient initialized", "DisplayFeatures: Night Shift = true"}));

    features->setNightShift(false);
    loop.runPending();
    EXPECT_FALSE(g_settings_get_boolean(gnome("org.gnome.settings-daemon.plugins.color"), "night-light-enabled"));
    EXPECT_FALSE(features->isNightShiftEnabled);

    // Switched outside the program, seen at the next refresh.
    g_settings_set_boolean(gnome("org.gnome.settings-daemon.plugins.color"), "night-light-enabled", TRUE);
    log.clear();
    features->refresh();
    loop.runPending();
    EXPECT_TRUE(features->isNightShiftEnabled);
    EXPECT_EQ(featureLines(), std::vector<std::string>{"DisplayFeatures: Night Shift = true"});
}

TEST_F(GnomeDisplayFeaturesTest, DarkModeWritesPreferDarkOrDefaultNeverPreferLight) {
    useSchemas(BRILLEX_TEST_SCHEMAS_DIR "/good");
    start();
    EXPECT_TRUE(features->isDarkModeAvailable);
    features->setDarkMode(true);
    loop.runPending();
    EXPECT_EQ(colorScheme(), "prefer-dark");
    EXPECT_TRUE(features->isDarkModeEnabled);

    g_settings_set_string(gnome("org.gnome.desktop.interface"), "color-scheme", "prefer-light");
    features->setDarkMode(false);
    loop.runPending();
    EXPECT_EQ(colorScheme(), "default");
    EXPECT_FALSE(features->isDarkModeEnabled);
    EXPECT_EQ(featureLines().back(), "DisplayFeatures: Dark mode set to false via SkyLight");
}

TEST_F(GnomeDisplayFeaturesTest, AbsentOrUnfitSchemasLeaveTheFeaturesUnavailable) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases{
        {"odd",
         {"GSettings: org.gnome.settings-daemon.plugins.color night-light-enabled of type s cannot take the values "
          "this program writes",
          "GSettings: schema org.gnome.desktop.interface has no key color-scheme",
          "DisplayFeatures: CBBlueLightClient not found"}},
        {"none",
         {"GSettings: schema org.gnome.settings-daemon.plugins.color is not installed",
          "GSettings: schema org.gnome.desktop.interface is not installed",
          "DisplayFeatures: CBBlueLightClient not found"}},
    };
    for (const auto& [set, expected] : cases) {
        SCOPED_TRACE(set);
        TearDown();
        log.clear();
        useSchemas(BRILLEX_TEST_SCHEMAS_DIR "/" + set);
        start();
        features->setNightShift(true);
        features->setDarkMode(true);
        loop.runPending();
        EXPECT_FALSE(features->isNightShiftAvailable);
        EXPECT_FALSE(features->isNightShiftEnabled);
        // No Dark button where the appearance cannot be written.
        EXPECT_FALSE(features->isDarkModeAvailable);
        EXPECT_FALSE(features->isDarkModeEnabled);
        std::vector<std::string> lines = expected;
        lines.push_back("DisplayFeatures: Dark mode - SkyLight method not available");
        EXPECT_EQ(featureLines(), lines);
    }
}

TEST_F(GnomeDisplayFeaturesTest, TheInstalledGnomeInterfaceSchemaTakesBothSchemes) {
    const char* installed = "/usr/share/glib-2.0/schemas";
    if (!std::filesystem::exists(std::string(installed) + "/org.gnome.desktop.interface.gschema.xml")) {
        GTEST_SKIP() << "gsettings-desktop-schemas is not installed";
    }
    useSchemas(installed);
    exportColorSchemeSwitch(libraries, schemas);
    const auto skyLight = libraries.open(skyLightPath);
    ASSERT_NE(skyLight.library, nullptr);
    EXPECT_TRUE(skyLight.library->function<void(bool)>(appearanceThemeFunction).has_value());
}

} // namespace
} // namespace brillex::x11
