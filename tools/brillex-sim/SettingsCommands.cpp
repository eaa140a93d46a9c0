#include "Runner.h"

#include <map>
#include <variant>

#include "base/Format.h"
#include "settings/AppSettings.h"
#include "settings/Localization.h"

namespace brillex::sim {
namespace {

struct BoolSetting {
    bool (AppSettings::*get)() const;
    void (AppSettings::*set)(bool);
};
struct IntegerSetting {
    long long (AppSettings::*get)() const;
    void (AppSettings::*set)(long long);
};
using SettingAccess = std::variant<BoolSetting, IntegerSetting>;

const std::map<std::string, SettingAccess>& settingsByKey() {
    static const std::map<std::string, SettingAccess> settings = {
        {AppSettings::kOnlyWhileCharging, BoolSetting{&AppSettings::onlyWhileCharging, &AppSettings::setOnlyWhileCharging}},
        {AppSettings::kAutoOffLowBattery, BoolSetting{&AppSettings::autoOffLowBattery, &AppSettings::setAutoOffLowBattery}},
        {AppSettings::kLowBatteryPercent,
         IntegerSetting{&AppSettings::lowBatteryPercent, &AppSettings::setLowBatteryPercent}},
        {AppSettings::kAutoOffTimer, BoolSetting{&AppSettings::autoOffTimer, &AppSettings::setAutoOffTimer}},
        {AppSettings::kTimerMinutes, IntegerSetting{&AppSettings::timerMinutes, &AppSettings::setTimerMinutes}},
        {AppSettings::kLaunchAtLogin, BoolSetting{&AppSettings::launchAtLogin, &AppSettings::setLaunchAtLogin}},
        {AppSettings::kBrightnessKeyEnabled,
         BoolSetting{&AppSettings::brightnessKeyEnabled, &AppSettings::setBrightnessKeyEnabled}},
        {AppSettings::kKeyboardBacklightEnabled,
         BoolSetting{&AppSettings::keyboardBacklightEnabled, &AppSettings::setKeyboardBacklightEnabled}},
        {AppSettings::kDisplayFeaturesEnabled,
         BoolSetting{&AppSettings::displayFeaturesEnabled, &AppSettings::setDisplayFeaturesEnabled}},
    };
    return settings;
}

// The language is kept by Localization, under its property name here like the others.
constexpr const char* kCurrentLanguage = "currentLanguage";

std::string formatValue(const SettingValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) return formatBool(*b);
    if (const auto* i = std::get_if<long long>(&value)) return std::to_string(*i);
    return quoted(std::get<std::string>(value));
}

SettingValue storeValue(const Word& word) {
    if (word.quoted) return word.text;
    if (word.text == "true" || word.text == "false") return parseBoolean(word.text);
    try {
        return parseInteger(word.text);
    } catch (const CommandError&) {
        throw CommandError("a stored value is true, false, an integer or a quoted text: " + word.text);
    }
}

const Word& unquoted(const Command& command, std::size_t index) {
    const auto& word = command.word(index);
    if (word.quoted) throw CommandError(command.text(1) + " takes no text: \"" + word.text + "\"");
    return word;
}

void writeSetting(const Command& command) {
    const auto& key = command.text(1);
    if (key == kCurrentLanguage) {
        Localization::shared().setCurrentLanguage(command.text(2));
        return;
    }
    const auto it = settingsByKey().find(key);
    if (it == settingsByKey().end()) throw CommandError("unknown setting: " + key);
    auto& settings = AppSettings::shared();
    if (const auto* b = std::get_if<BoolSetting>(&it->second)) {
        (settings.*b->set)(parseBoolean(unquoted(command, 2).text));
    } else {
        const auto& integer = std::get<IntegerSetting>(it->second);
        (settings.*integer.set)(parseInteger(unquoted(command, 2).text));
    }
}

SettingValue readSetting(const std::string& key) {
    if (key == kCurrentLanguage) return Localization::shared().currentLanguage();
    const auto it = settingsByKey().find(key);
    if (it == settingsByKey().end()) throw CommandError("unknown setting: " + key);
    const auto& settings = AppSettings::shared();
    return std::visit([&](const auto& access) -> SettingValue { return (settings.*access.get)(); }, it->second);
}

} // namespace

void addSettingsCommands(Runner& runner) {
    runner.add("store", [&runner](const Command& command) {
        command.expectWords(3);
        runner.sim().store.set(command.text(1), storeValue(command.word(2)));
    });
    runner.add("unstore", [&runner](const Command& command) {
        command.expectWords(2);
        runner.sim().store.remove(command.text(1));
    });
    runner.add("setting", [](const Command& command) {
        command.expectWords(3);
        writeSetting(command);
    });
    runner.add("launch-at-login", [](const Command& command) {
        command.expectWords(2);
        auto& settings = AppSettings::shared();
        settings.setLaunchAtLogin(command.boolean(1));
        settings.updateLaunchAtLogin();
    });
    runner.add("login-item", [&runner](const Command& command) {
        auto& loginItems = runner.sim().loginItems;
        if (command.text(1) == "ok") {
            command.expectWords(2);
            loginItems.succeed();
        } else if (command.text(1) == "fails") {
            command.expectWords(3);
            loginItems.failWith(command.text(2));
        } else {
            throw CommandError("login-item takes fails \"TEXT\" or ok");
        }
    });
    runner.add("language", [](const Command& command) {
        command.expectWords(2);
        Localization::shared().setCurrentLanguage(command.text(1));
    });
    runner.add("show setting", [&runner](const Command& command) {
        command.expectWords(3);
        const auto value = readSetting(command.text(2));
        runner.answer("setting", {{"key", command.text(2)}, {"value", formatValue(value)}});
    });
    runner.add("show store", [&runner](const Command& command) {
        command.expectWords(3);
        const auto value = runner.sim().store.get(command.text(2));
        runner.answer("store", {{"key", command.text(2)}, {"value", value ? formatValue(*value) : "absent"}});
    });
    runner.add("show text", [&runner](const Command& command) {
        command.expectWords(3);
        runner.answer("text", {{"key", command.text(2)}, {"value", quoted(Localization::shared().localized(command.text(2)))}});
    });
    runner.add("show login-item", [&runner](const Command& command) {
        command.expectWords(2);
        runner.answer("login-item", {{"registered", formatBool(runner.sim().loginItems.isRegistered())}});
    });
}

} // namespace brillex::sim
