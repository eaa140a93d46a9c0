#include "Runner.h"

#include <limits>

#include "base/Format.h"
#include "keys/BrightnessOSD.h"
#include "keys/KeyboardManager.h"

namespace brillex::sim {
namespace {

int intAt(const Command& command, std::size_t index) {
    const long long value = command.integer(index);
    if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw CommandError("out of range: " + command.text(index));
    }
    return static_cast<int>(value);
}

TapEvent keyEvent(const Command& command) {
    const std::string& which = command.text(1);
    if (which == "media") {
        command.expectWords(3);
        const long long code = command.integer(2);
        if (code < 0 || code > 0xFFFF) throw CommandError("not a key code: " + command.text(2));
        return SimEventTap::auxiliaryKey(static_cast<std::uint32_t>(code), true);
    }
    command.expectWords(2);
    if (which == "up") return SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessUp, true);
    if (which == "down") return SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessDown, true);
    if (which == "up-release") return SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessUp, false);
    if (which == "down-release") return SimEventTap::auxiliaryKey(KeyboardManager::kKeyBrightnessDown, false);
    if (which == "other-type") return SimEventTap::otherType();
    throw CommandError("key takes up, down, up-release, down-release, media CODE or other-type");
}

const char* deliveryName(SimEventTap::Delivery delivery) {
    switch (delivery) {
    case SimEventTap::Delivery::passed: return "passed";
    case SimEventTap::Delivery::swallowed: return "swallowed";
    case SimEventTap::Delivery::noTap: break;
    }
    return "no-tap";
}

} // namespace

void addKeysCommands(Runner& runner) {
    runner.add("trust", [&runner](const Command& command) {
        command.expectWords(2);
        runner.sim().accessibility.setTrusted(command.boolean(1));
    });
    runner.add("tap-creation", [&runner](const Command& command) {
        command.expectWords(2);
        const std::string& mode = command.text(1);
        if (mode != "fails" && mode != "ok") throw CommandError("tap-creation takes fails or ok");
        runner.sim().eventTap.setCreationFails(mode == "fails");
    });
    runner.add("keys", [](const Command& command) {
        command.expectWords(2);
        const std::string& action = command.text(1);
        if (action == "start") {
            KeyboardManager::shared().startEventTap();
        } else if (action == "stop") {
            KeyboardManager::shared().stopEventTap();
        } else {
            throw CommandError("keys takes start or stop");
        }
    });
    // Read from the system's side, so that asking creates no manager.
    runner.add("show keys", [&runner](const Command& command) {
        command.expectWords(2);
        runner.answer("keys", {{"tap", formatBool(runner.sim().eventTap.tapCount() != 0)}});
    });
    runner.add("key", [&runner](const Command& command) {
        if (command.count() < 2) throw CommandError("missing argument");
        // The answer comes as the filter gives it; a step it queued runs after.
        runner.print(std::string("= key ") + deliveryName(runner.sim().eventTap.inject(keyEvent(command))));
    });
    runner.add("osd", [](const Command& command) {
        if (command.count() < 2) throw CommandError("missing argument");
        if (command.text(1) == "show") {
            command.expectWords(3);
            BrightnessOSD::shared().show(command.number(2), false);
        } else if (command.text(1) == "show-xdr") {
            command.expectWords(4);
            BrightnessOSD::shared().showXDR(intAt(command, 2), intAt(command, 3));
        } else {
            throw CommandError("osd takes show X or show-xdr CURRENT MAX");
        }
    });
    runner.add("show osd", [&runner](const Command& command) {
        command.expectWords(2);
        const auto* panel = runner.sim().osdPanel.current();
        if (!panel || !panel->visible || !panel->content) {
            runner.answer("osd", {{"visible", "false"}});
            return;
        }
        runner.answer("osd", {{"visible", "true"},
                              {"level", formatNumber(panel->content->level)},
                              {"xdr", formatBool(panel->content->isXDR)},
                              {"text", quoted(panel->content->text())},
                              {"origin", formatNumber(panel->frame.x) + "," + formatNumber(panel->frame.y)}});
    });
}

} // namespace brillex::sim
