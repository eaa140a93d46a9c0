#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "platform/sim/SimLoginItems.h"
#include "settings/AppSettings.h"
#include "settings/MemoryStore.h"

using namespace brillex;

namespace {

struct AppSettingsTest : ::testing::Test {
    ManualLoop loop;
    MemoryStore store{loop};
    sim::SimLoginItems loginItems;
    AppSettings settings{store, loginItems};
};

const char* const kAllKeys[] = {
    "onlyWhileCharging", "autoOffLowBattery", "lowBatteryPercent",        "autoOffTimer",          "timerMinutes",
    "launchAtLogin",     "brightnessKeyEnabled", "keyboardBacklightEnabled", "displayFeaturesEnabled",
};

} // namespace

TEST_F(AppSettingsTest, FreshStoreReadsDefaultsWithoutWritingThem) {
    EXPECT_FALSE(settings.onlyWhileCharging());
    EXPECT_FALSE(settings.autoOffLowBattery());
    EXPECT_EQ(settings.lowBatteryPercent(), 20);
    EXPECT_FALSE(settings.autoOffTimer());
    EXPECT_EQ(settings.timerMinutes(), 30);
    EXPECT_FALSE(settings.launchAtLogin());
    EXPECT_FALSE(settings.brightnessKeyEnabled());
    EXPECT_FALSE(settings.keyboardBacklightEnabled());
    EXPECT_TRUE(settings.displayFeaturesEnabled());
    for (const char* key : kAllKeys) EXPECT_FALSE(store.get(key)) << key;
    EXPECT_EQ(loop.pendingTasks(), 0u);
}

TEST_F(AppSettingsTest, EverySetterWritesItsOwnKeyWithItsType) {
    settings.setOnlyWhileCharging(true);
    settings.setAutoOffLowBattery(true);
    settings.setLowBatteryPercent(35);
    settings.setAutoOffTimer(true);
    settings.setTimerMinutes(5);
    settings.setLaunchAtLogin(true);
    settings.setBrightnessKeyEnabled(true);
    settings.setKeyboardBacklightEnabled(true);
    settings.setDisplayFeaturesEnabled(false);
    EXPECT_EQ(store.get("onlyWhileCharging"), SettingValue(true));
    EXPECT_EQ(store.get("autoOffLowBattery"), SettingValue(true));
    EXPECT_EQ(store.get("lowBatteryPercent"), SettingValue(35LL));
    EXPECT_EQ(store.get("autoOffTimer"), SettingValue(true));
    EXPECT_EQ(store.get("timerMinutes"), SettingValue(5LL));
    EXPECT_EQ(store.get("launchAtLogin"), SettingValue(true));
    EXPECT_EQ(store.get("brightnessKeyEnabled"), SettingValue(true));
    EXPECT_EQ(store.get("keyboardBacklightEnabled"), SettingValue(true));
    EXPECT_EQ(store.get("displayFeaturesEnabled"), SettingValue(false));
    // The key manager's own gate is a different key and stays untouched.
    EXPECT_FALSE(store.get("brightnessKeysEnabled"));
}

TEST_F(AppSettingsTest, ReadsWhatAnotherWriterPutInTheStoreAtOnce) {
    AppSettings other(store, loginItems);
    other.setTimerMinutes(12);
    other.setDisplayFeaturesEnabled(false);
    EXPECT_EQ(settings.timerMinutes(), 12);
    EXPECT_FALSE(settings.displayFeaturesEnabled());
    store.remove("timerMinutes");
    EXPECT_EQ(settings.timerMinutes(), 30);
}

TEST_F(AppSettingsTest, WritesReachListenersOnlyThroughTheStoresPostedNotification) {
    int storeChanges = 0;
    int announcements = 0;
    auto storeSubscription = store.observeChanges([&] { ++storeChanges; });
    auto objectSubscription = settings.objectWillChange().connect([&] { ++announcements; });
    settings.setBrightnessKeyEnabled(true);
    EXPECT_EQ(storeChanges, 0);
    loop.runPending();
    EXPECT_EQ(storeChanges, 1);
    EXPECT_EQ(announcements, 0);
}

TEST_F(AppSettingsTest, IntegersAreKeptUnclampedToTheExtremes) {
    constexpr auto most = std::numeric_limits<long long>::max();
    constexpr auto least = std::numeric_limits<long long>::min();
    settings.setTimerMinutes(most);
    settings.setLowBatteryPercent(least);
    EXPECT_EQ(settings.timerMinutes(), most);
    EXPECT_EQ(settings.lowBatteryPercent(), least);
    settings.setTimerMinutes(0);
    settings.setLowBatteryPercent(-5);
    EXPECT_EQ(settings.timerMinutes(), 0);
    EXPECT_EQ(settings.lowBatteryPercent(), -5);
}

TEST_F(AppSettingsTest, ValueOfTheWrongTypeReadsAsDefaultStaysStoredAndIsReportedOnce) {
    LogCapture log;
    store.set("timerMinutes", std::string("abc"));
    store.set("displayFeaturesEnabled", 0LL);
    store.set("onlyWhileCharging", std::string("true"));
    store.set("lowBatteryPercent", true);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(settings.timerMinutes(), 30);
        EXPECT_TRUE(settings.displayFeaturesEnabled());
        EXPECT_FALSE(settings.onlyWhileCharging());
        EXPECT_EQ(settings.lowBatteryPercent(), 20);
    }
    EXPECT_EQ(store.get("timerMinutes"), SettingValue(std::string("abc")));
    EXPECT_EQ(store.get("displayFeaturesEnabled"), SettingValue(0LL));
    EXPECT_EQ(log.lines(), (std::vector<std::string>{
                               "Setting \"timerMinutes\" holds a text instead of an integer; using the default 30",
                               "Setting \"displayFeaturesEnabled\" holds an integer instead of a Boolean; using the default true",
                               "Setting \"onlyWhileCharging\" holds a text instead of a Boolean; using the default false",
                               "Setting \"lowBatteryPercent\" holds a Boolean instead of an integer; using the default 20",
                           }));

    // Mended, then broken again: reported again.
    log.clear();
    settings.setTimerMinutes(4);
    EXPECT_EQ(settings.timerMinutes(), 4);
    store.set("timerMinutes", false);
    EXPECT_EQ(settings.timerMinutes(), 30);
    EXPECT_EQ(log.lines(), std::vector<std::string>{
                               "Setting \"timerMinutes\" holds a Boolean instead of an integer; using the default 30"});
}

TEST_F(AppSettingsTest, LaunchAtLoginRegistrationFollowsTheSetting) {
    LogCapture log;
    settings.setLaunchAtLogin(true);
    EXPECT_FALSE(loginItems.isRegistered());  // only updateLaunchAtLogin touches the service
    settings.updateLaunchAtLogin();
    EXPECT_TRUE(loginItems.isRegistered());
    settings.setLaunchAtLogin(false);
    settings.updateLaunchAtLogin();
    EXPECT_FALSE(loginItems.isRegistered());
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(AppSettingsTest, RefusedLoginItemChangeIsLoggedAndTheChoiceKept) {
    LogCapture log;
    loginItems.failWith("Operation not permitted");
    settings.setLaunchAtLogin(true);
    settings.updateLaunchAtLogin();
    EXPECT_FALSE(loginItems.isRegistered());
    EXPECT_TRUE(settings.launchAtLogin());
    EXPECT_EQ(log.lines(), std::vector<std::string>{"Launch at login setting failed: Operation not permitted"});

    loginItems.succeed();
    settings.updateLaunchAtLogin();
    EXPECT_TRUE(loginItems.isRegistered());
    EXPECT_EQ(log.lines().size(), 1u);
}
