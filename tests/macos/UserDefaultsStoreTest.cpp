#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "platform/macos/services/UserDefaultsStore.h"
#include "platform/sim/SimLoginItems.h"
#include "settings/AppSettings.h"

using namespace brillex;
using namespace brillex::macos;

namespace {

// The defaults domain as a property list in memory; like the system's, it
// announces each change at once, on the writer's thread.
struct MemoryDomain : PropertyDomain {
    std::map<std::string, PropertyValue> values;
    Signal<> changed;

    std::optional<PropertyValue> value(const std::string& key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void setValue(const std::string& key, const PropertyValue& value) override {
        values.insert_or_assign(key, value);
        changed.emit();
    }
    void removeValue(const std::string& key) override {
        values.erase(key);
        changed.emit();
    }
    Subscription observeChanges(std::function<void()> handler) override { return changed.connect(std::move(handler)); }
};

struct UserDefaultsStoreTest : ::testing::Test {
    ManualLoop loop;
    MemoryDomain domain;
    UserDefaultsStore store{domain, loop};
    sim::SimLoginItems loginItems;
    AppSettings settings{store, loginItems};
};

// Every key with its type as `defaults read` shows it: Booleans and integers.
struct KeyCase {
    const char* key;
    PropertyValue fallback;
    PropertyValue written;
};
const KeyCase kKeys[] = {
    {"onlyWhileCharging", false, true},        {"autoOffLowBattery", false, true},
    {"lowBatteryPercent", std::int64_t{20}, std::int64_t{35}}, {"autoOffTimer", false, true},
    {"timerMinutes", std::int64_t{30}, std::int64_t{5}},       {"launchAtLogin", false, true},
    {"brightnessKeyEnabled", false, true},     {"keyboardBacklightEnabled", false, true},
    {"displayFeaturesEnabled", true, false},
};

PropertyValue read(const AppSettings& settings, const std::string& key) {
    if (key == "onlyWhileCharging") return settings.onlyWhileCharging();
    if (key == "autoOffLowBattery") return settings.autoOffLowBattery();
    if (key == "lowBatteryPercent") return std::int64_t{settings.lowBatteryPercent()};
    if (key == "autoOffTimer") return settings.autoOffTimer();
    if (key == "timerMinutes") return std::int64_t{settings.timerMinutes()};
    if (key == "launchAtLogin") return settings.launchAtLogin();
    if (key == "brightnessKeyEnabled") return settings.brightnessKeyEnabled();
    if (key == "keyboardBacklightEnabled") return settings.keyboardBacklightEnabled();
    return settings.displayFeaturesEnabled();
}

void write(AppSettings& settings, const std::string& key, const PropertyValue& value) {
    const bool flag = std::holds_alternative<bool>(value) && std::get<bool>(value);
    const long long number = std::holds_alternative<std::int64_t>(value) ? std::get<std::int64_t>(value) : 0;
    if (key == "onlyWhileCharging") settings.setOnlyWhileCharging(flag);
    else if (key == "autoOffLowBattery") settings.setAutoOffLowBattery(flag);
    else if (key == "lowBatteryPercent") settings.setLowBatteryPercent(number);
    else if (key == "autoOffTimer") settings.setAutoOffTimer(flag);
    else if (key == "timerMinutes") settings.setTimerMinutes(number);
    else if (key == "launchAtLogin") settings.setLaunchAtLogin(flag);
    else if (key == "brightnessKeyEnabled") settings.setBrightnessKeyEnabled(flag);
    else if (key == "keyboardBacklightEnabled") settings.setKeyboardBacklightEnabled(flag);
    else settings.setDisplayFeaturesEnabled(flag);
}

} // namespace

TEST_F(UserDefaultsStoreTest, EveryKeyReadsItsDefaultAndIsWrittenWithItsType) {
    for (const auto& c : kKeys) {
        EXPECT_EQ(read(settings, c.key), c.fallback) << c.key;
        write(settings, c.key, c.written);
        EXPECT_EQ(domain.values.at(c.key), c.written) << c.key << " is kept as a value of its own kind";
        EXPECT_EQ(read(settings, c.key), c.written) << c.key;
    }
    EXPECT_EQ(domain.values.size(), std::size(kKeys)) << "defaults are never written";
}

TEST_F(UserDefaultsStoreTest, ValuesOfAnotherKindReadAsTheDefaultAndStayStored) {
    // What `defaults write` can put under a key: the other number kind, a fraction, a text, data.
    LogCapture log;
    for (const auto& c : kKeys) {
        const bool isBoolean = std::holds_alternative<bool>(c.fallback);
        const std::vector<PropertyValue> wrong{isBoolean ? PropertyValue(std::int64_t{1}) : PropertyValue(true), 5.0,
                                               std::string("1"), OtherPropertyValue{"{length = 1, bytes = 0x01}"}};
        for (const auto& value : wrong) {
            domain.values.insert_or_assign(c.key, value);
            EXPECT_EQ(read(settings, c.key), c.fallback) << c.key << " " << value.index();
            EXPECT_EQ(domain.values.at(c.key), value) << c.key;
        }
    }
    ASSERT_FALSE(log.lines().empty());
    EXPECT_EQ(log.lines().front(), "Setting \"onlyWhileCharging\" holds an integer instead of a Boolean; using the default false");
}

TEST_F(UserDefaultsStoreTest, FractionsAndOtherKindsComeAsTheirText) {
    domain.values.insert_or_assign("appLanguage", std::string("de"));
    domain.values.insert_or_assign("fraction", 2.5);
    domain.values.insert_or_assign("list", OtherPropertyValue{"(\n    1\n)"});
    EXPECT_EQ(store.get("appLanguage"), SettingValue(std::string("de")));
    EXPECT_EQ(store.get("fraction"), SettingValue(std::string("2.5")));
    EXPECT_EQ(store.get("list"), SettingValue(std::string("(\n    1\n)")));
    EXPECT_FALSE(store.get("missing"));
}

TEST_F(UserDefaultsStoreTest, EachChangeOfTheDomainReachesListenersInAPostedTask) {
    int changes = 0;
    auto subscription = store.observeChanges([&] { ++changes; });
    store.set("timerMinutes", 5LL);
    store.set("timerMinutes", 5LL);
    store.remove("timerMinutes");
    EXPECT_EQ(changes, 0);
    loop.runPending();
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(domain.values.contains("timerMinutes"));
}

TEST(UserDefaultsStoreLifetimeTest, ATaskPostedBeforeTheStoreWentDoesNothing) {
    ManualLoop loop;
    MemoryDomain domain;
    int changes = 0;
    {
        UserDefaultsStore store(domain, loop);
        auto subscription = store.observeChanges([&] { ++changes; });
        store.set("launchAtLogin", true);
    }
    domain.setValue("launchAtLogin", false);
    loop.runPending();
    EXPECT_EQ(changes, 0);
}
