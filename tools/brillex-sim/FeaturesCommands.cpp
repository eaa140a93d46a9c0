#include <charconv>
#include <string>

#include "Runner.h"
#include "base/Format.h"
#include "controls/DisplayFeatures.h"
#include "controls/KeyboardBrightness.h"

namespace brillex::sim {
namespace {

// "N,N,..." as backlight ids; an empty text is an empty list.
std::vector<std::uint64_t> parseIDs(const std::string& text) {
    std::vector<std::uint64_t> ids;
    if (text.empty()) return ids;
    const char* next = text.data();
    const char* const end = text.data() + text.size();
    while (true) {
        std::uint64_t id = 0;
        const auto result = std::from_chars(next, end, id);
        if (result.ec != std::errc() || result.ptr == next) break;
        ids.push_back(id);
        if (result.ptr == end) return ids;
        if (*result.ptr != ',') break;
        next = result.ptr + 1;
    }
    throw CommandError("not a list of backlight ids: " + text);
}

void configureKeyboardClient(SimKeyboardClient& client, const Command& command) {
    if (command.count() < 2 && command.options().empty()) throw CommandError("missing argument");
    for (std::size_t i = 1; i < command.count(); ++i) {
        const std::string& word = command.text(i);
        if (word == "absent" || word == "present") {
            client.exists = word == "present";
        } else if (word == "no-ids-selector") {
            client.hasIDsSelector = false;
        } else if (word == "no-getter") {
            client.hasGetter = false;
        } else {
            throw CommandError("unknown keyboard client switch: " + word);
        }
    }
    for (const auto& [key, value] : command.options()) {
        if (key == "ids") {
            client.ids = parseIDs(value.text);
        } else if (key == "level") {
            client.level = static_cast<float>(parseNumber(value.text));
        } else if (key == "setter") {
            if (value.text != "plain" && value.text != "fade" && value.text != "none") {
                throw CommandError("setter is plain, fade or none: " + value.text);
            }
            client.hasPlainSetter = value.text == "plain";
            client.hasFadeSetter = value.text == "fade";
        } else if (key == "set-result") {
            client.setResult = parseBoolean(value.text);
        } else {
            throw CommandError("unknown keyboard client option: " + key);
        }
    }
}

bool presence(const Command& command) {
    command.expectWords(2);
    if (command.text(1) == "present") return true;
    if (command.text(1) == "absent") return false;
    throw CommandError("expected present or absent: " + command.text(1));
}

} // namespace

void addFeaturesCommands(Runner& runner) {
    SimComputer& sim = runner.sim();

    runner.add("kbd-client", [&sim](const Command& command) { configureKeyboardClient(sim.keyboardClient, command); });
    runner.add("keyboard read", [](const Command& command) {
        command.expectWords(2);
        KeyboardBrightness::shared().readBrightness();
    });
    runner.add("keyboard set", [](const Command& command) {
        command.expectWords(3);
        KeyboardBrightness::shared().setBrightness(static_cast<float>(command.number(2)));
    });
    runner.add("show keyboard", [&runner, &sim](const Command& command) {
        command.expectWords(2);
        const auto& keyboard = KeyboardBrightness::shared();
        sim.loop.runPending();  // a query made first shows the object as creation leaves it
        runner.answer("keyboard", {{"value", formatNumber(keyboard.brightness.get())},
                                   {"available", formatBool(keyboard.isAvailable)},
                                   {"id", std::to_string(keyboard.keyboardID())}});
    });

    runner.add("night-shift-client", [&sim](const Command& command) { sim.blueLightClient.exists = presence(command); });
    runner.add("true-tone-client", [&sim](const Command& command) {
        if (command.has("supported")) {
            command.expectWords(1);
            sim.trueToneClient.supported = command.booleanOption("supported");
        } else if (command.count() == 2 && command.text(1) == "no-supported") {
            sim.trueToneClient.supported = std::nullopt;
        } else {
            sim.trueToneClient.exists = presence(command);
        }
    });
    runner.add("appearance-function", [&sim](const Command& command) {
        sim.appearance.setFunctionPresent(presence(command));
    });
    runner.add("appearance", [&sim](const Command& command) {
        command.expectWords(2);
        if (command.text(1) != "dark" && command.text(1) != "light") {
            throw CommandError("appearance is dark or light: " + command.text(1));
        }
        sim.appearance.setName(command.text(1) == "dark" ? SimAppearance::dark : SimAppearance::light);
    });
    runner.add("night-shift-hw", [&sim](const Command& command) {
        command.expectWords(2);
        sim.blueLightClient.enabled = command.boolean(1);
    });
    runner.add("true-tone-hw", [&sim](const Command& command) {
        command.expectWords(2);
        sim.trueToneClient.enabled = command.boolean(1);
    });

    runner.add("features refresh", [](const Command& command) {
        command.expectWords(2);
        DisplayFeatures::shared().refresh();
    });
    runner.add("features night", [](const Command& command) {
        command.expectWords(3);
        DisplayFeatures::shared().setNightShift(command.boolean(2));
    });
    runner.add("features true-tone", [](const Command& command) {
        command.expectWords(3);
        DisplayFeatures::shared().setTrueTone(command.boolean(2));
    });
    runner.add("features dark", [](const Command& command) {
        command.expectWords(3);
        DisplayFeatures::shared().setDarkMode(command.boolean(2));
    });
    runner.add("show features", [&runner, &sim](const Command& command) {
        command.expectWords(2);
        const auto& features = DisplayFeatures::shared();
        sim.loop.runPending();
        runner.answer("features", {{"night", formatBool(features.isNightShiftEnabled)},
                                   {"night-available", formatBool(features.isNightShiftAvailable)},
                                   {"true-tone", formatBool(features.isTrueToneEnabled)},
                                   {"true-tone-available", formatBool(features.isTrueToneAvailable)},
                                   {"dark", formatBool(features.isDarkModeEnabled)},
                                   {"dark-available", formatBool(features.isDarkModeAvailable)}});
    });
}

} // namespace brillex::sim
