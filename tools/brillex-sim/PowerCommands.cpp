#include "Runner.h"

#include "base/Format.h"
#include "power/BatteryMonitor.h"

namespace brillex::sim {
namespace {

// A description value as a script writes it: quoted text stays text, so a
// number in quotes tests a key of the wrong type.
PowerSourceValue descriptionValue(const Word& word) {
    if (word.quoted) return word.text;
    if (word.text == "true" || word.text == "false") return word.text == "true";
    try {
        return static_cast<std::int64_t>(parseInteger(word.text));
    } catch (const CommandError&) {
    }
    try {
        return parseNumber(word.text);
    } catch (const CommandError&) {
    }
    return word.text;
}

void applyOptions(const Command& command, PowerSourceDescription& description) {
    static const std::map<std::string, const char*> keys = {
        {"current", kPowerSourceCurrentCapacityKey},
        {"max", kPowerSourceMaxCapacityKey},
        {"state", kPowerSourceStateKey},
        {"charging", kPowerSourceIsChargingKey},
    };
    for (const auto& [option, word] : command.options()) {
        if (!keys.count(option)) throw CommandError("unknown power option: " + option);
    }
    for (const auto& [option, word] : command.options()) description[keys.at(option)] = descriptionValue(word);
}

std::vector<PowerSources::Source>& sourceList(SimPowerSources& sources) {
    if (!sources.list) sources.list.emplace();
    return *sources.list;
}

} // namespace

void addPowerCommands(Runner& runner) {
    runner.add("power", [&runner](const Command& command) {
        auto& list = sourceList(runner.sim().powerSources);
        const std::string& what = command.text(1);
        if (what == "clear") {
            command.expectWords(2);
            list.clear();
        } else if (what == "set") {
            command.expectWords(2);
            if (list.empty()) list.emplace_back();
            // A source without a description gets one, fresh, with no keys.
            if (!list.front()) list.front().emplace();
            applyOptions(command, *list.front());
        } else if (what == "add") {
            command.expectWords(2);
            PowerSourceDescription description;
            applyOptions(command, description);
            list.emplace_back(std::move(description));
        } else if (what == "add-broken") {
            command.expectWords(2);
            list.emplace_back(std::nullopt);
        } else {
            throw CommandError("unknown power command: " + what);
        }
    });
    runner.add("battery", [](const Command& command) {
        command.expectWords(2);
        const std::string& what = command.text(1);
        if (what == "update") {
            BatteryMonitor::shared().updateBatteryStatus();
        } else if (what == "start") {
            BatteryMonitor::shared().startMonitoring();
        } else {
            throw CommandError("unknown battery command: " + what);
        }
    });
    runner.add("show battery", [&runner](const Command& command) {
        command.expectWords(2);
        const auto& monitor = BatteryMonitor::shared();
        runner.answer("battery", {{"level", formatNumber(monitor.chargeLevel.get())},
                                  {"on-battery", formatBool(monitor.isOnBattery)},
                                  {"charging", formatBool(monitor.isCharging)}});
    });
}

} // namespace brillex::sim
