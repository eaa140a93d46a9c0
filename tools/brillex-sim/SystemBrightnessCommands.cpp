#include "Runner.h"

#include <limits>

#include "base/Format.h"
#include "controls/SystemBrightness.h"

namespace brillex::sim {
namespace {

std::int32_t status(const Command& command, std::size_t index) {
    const long long value = command.integer(index);
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max()) {
        throw CommandError("not a status: " + command.text(index));
    }
    return static_cast<std::int32_t>(value);
}

DisplayBrightnessState& brightnessState(DisplayId id) {
    const auto& states = SystemBrightness::shared().displayStates.get();
    const auto found = states.find(id);
    if (found == states.end()) throw CommandError("no brightness state for display " + std::to_string(id));
    return *found->second;
}

} // namespace

void addSystemBrightnessCommands(Runner& runner) {
    runner.add("brightness-service", [&runner](const Command& command) {
        command.expectWords(2);
        static const std::map<std::string, SimDisplayServices::Library> libraries = {
            {"present", SimDisplayServices::Library::present},
            {"absent", SimDisplayServices::Library::absent},
            {"no-get", SimDisplayServices::Library::noGet},
            {"no-set", SimDisplayServices::Library::noSet},
        };
        const auto found = libraries.find(command.text(1));
        if (found == libraries.end()) throw CommandError("unknown brightness-service state: " + command.text(1));
        runner.sim().displayServices.setLibrary(found->second);
    });
    runner.add("hw-brightness", [&runner](const Command& command) {
        auto& services = runner.sim().displayServices;
        const DisplayId id = displayId(command, 1);
        const std::string& what = command.text(2);
        if (what == "read-fails") {
            command.expectWords(command.count() > 3 ? 4 : 3);
            services.setReadStatus(id, command.count() > 3 ? status(command, 3) : -1);
        } else if (what == "write-fails") {
            command.expectWords(4);
            services.setWriteStatus(id, status(command, 3));
        } else if (what == "ok") {
            command.expectWords(3);
            services.setReadStatus(id, 0);
            services.setWriteStatus(id, 0);
        } else {
            command.expectWords(3);
            services.setBrightness(id, static_cast<float>(command.number(2)));
        }
    });
    runner.add("brightness-source", [&runner](const Command& command) {
        const DisplayId id = displayId(command, 1);
        const std::string& what = command.text(2);
        auto& services = runner.sim().displayServices;
        if (what == "slow") {
            command.expectWords(4);
            const double delay = command.number(3);
            if (!(delay >= 0.0)) throw CommandError("not a delay: " + command.text(3));
            services.setSource(id, SimDisplayServices::Source::slow, delay);
            return;
        }
        command.expectWords(3);
        if (what == "library") services.setSource(id, SimDisplayServices::Source::library);
        else if (what == "none") services.setSource(id, SimDisplayServices::Source::none);
        else throw CommandError("unknown brightness source: " + what);
    });
    runner.add("display-connect", [&runner](const Command& command) {
        command.expectWords(2);
        auto& answers = runner.sim().displayServices.displayConnect;
        answers.clear();
        if (command.text(1) != "none") answers.emplace_back(static_cast<float>(command.number(1)));
    });
    runner.add("system-brightness", [&runner](const Command& command) {
        auto& brightness = SystemBrightness::shared();
        const std::string& what = command.text(1);
        if (what == "set") {
            command.expectWords(4);
            const DisplayId id = displayId(command, 2);
            const bool result = brightnessState(id).setBrightness(static_cast<float>(command.number(3)));
            runner.answer("set-brightness", {{"id", std::to_string(id)}, {"result", formatBool(result)}});
            return;
        }
        command.expectWords(2);
        if (what == "refresh-displays") {
            brightness.refreshDisplays();
        } else if (what == "refresh") {
            brightness.refreshBrightness();
        } else if (what == "start-observing") {
            brightness.startObserving();
        } else if (what == "stop-observing") {
            brightness.stopObserving();
        } else {
            throw CommandError("unknown system-brightness command: " + what);
        }
    });
    runner.add("show brightness", [&runner](const Command& command) {
        command.expectWords(3);
        if (command.text(2) == "main") {
            runner.answer("main-brightness", {{"value", formatNumber(SystemBrightness::shared().mainDisplayBrightness())}});
            return;
        }
        const auto& state = brightnessState(displayId(command, 2));
        runner.answer("brightness", {{"id", std::to_string(state.id)},
                                     {"value", formatNumber(state.brightness.get())},
                                     {"readable", formatBool(state.canReadBrightness)},
                                     {"full", formatBool(state.isAtFullBrightness())},
                                     {"percent", std::to_string(state.brightnessPercent())},
                                     {"builtin", formatBool(state.isBuiltIn)}});
    });
}

} // namespace brillex::sim
