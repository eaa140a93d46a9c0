#include "SequenceGenerator.h"

#include <algorithm>

#include "base/Format.h"

namespace brillex::sim {
namespace {

std::string id(DisplayId display) { return std::to_string(display); }

const std::vector<std::string> booleans = {"true", "false"};

} // namespace

const std::vector<SequenceGenerator::Display>& SequenceGenerator::displays() {
    // A built-in panel, two XDR-capable externals and one with headroom but no
    // boost of its own; frames side by side, one with a negative origin.
    static const std::vector<Display> list = {
        {1, "\"Built-in Retina Display\" builtin potential=16.0 frame=0,0,1512,982 visible=0,0,1512,950"},
        {2, "\"Pro Display XDR\" potential=6.0 frame=1512,0,6016,3384"},
        {3, "\"LG UltraFine 5K\" potential=2.0 frame=-2560,0,2560,1440"},
        {4, "\"DELL U2720Q\" potential=1.0 frame=0,982,2560,1440"},
    };
    return list;
}

SequenceGenerator::SequenceGenerator(std::uint64_t seed, int steps) : random_(seed), steps_(std::max(steps, 1)) {
    quitAt_ = chance(0.5) ? below(steps_) : steps_;
    std::vector<Display> plugged;
    for (const auto& display : displays()) {
        if (chance(0.6)) plugged.push_back(display);
    }
    if (plugged.empty()) plugged.push_back(displays().front());
    for (const auto& display : plugged) {
        setup_.push_back("screen add " + id(display.id) + " " + display.screen);
        // A calibrated table: the top entry below full white, so a restore to
        // the identity would show.
        if (chance(0.5)) setup_.push_back("gamma " + id(display.id) + " entry 255 0.9 0.95 1.0");
    }
    if (chance(0.3)) setup_.push_back("main " + id(plugged.back().id));
    // Keys on, and the system brightness at its top, so key presses step boosts.
    if (chance(0.7)) setup_.push_back("setting brightnessKeyEnabled true");
    if (chance(0.5)) setup_.push_back("hw-brightness " + id(plugged.front().id) + " 1.0");
    const int extra = below(4);
    for (int i = 0; i < extra; ++i) setup_.push_back(setupStep());
    std::reverse(setup_.begin(), setup_.end());
}

std::string SequenceGenerator::setupStep() {
    switch (below(4)) {
    case 0: return powerStep();
    case 1: return "setting brightnessKeyEnabled " + pick(booleans);
    case 2: return chance(0.2) ? "metal off" : "trust " + pick(booleans);
    default: return settingsStep();
    }
}

std::optional<std::string> SequenceGenerator::next(const WorldView& world) {
    if (done_) return std::nullopt;
    if (!setup_.empty()) {
        auto line = setup_.back();
        setup_.pop_back();
        return line;
    }
    if (!launched_) {
        launched_ = true;
        return std::string("launch");
    }
    if (step_ >= quitAt_) {
        done_ = true;
        return std::string("quit");
    }
    ++step_;
    return eventStep(world);
}

std::string SequenceGenerator::level() {
    switch (below(4)) {
    case 0: return "0.0";
    case 1: return "1.0";
    case 2: return formatNumber(0.05 * below(21));
    default: return formatNumber(std::uniform_real_distribution<double>(0.0, 1.0)(random_));
    }
}

std::string SequenceGenerator::eventStep(const WorldView& world) {
    const int roll = below(100);
    if (roll < 35) return boostStep(world);
    if (roll < 50) return screenStep(world);
    if (roll < 62) {
        static const std::vector<std::string> keys = {"up", "up", "down", "down", "up-release", "media 16"};
        return "key " + pick(keys);
    }
    if (roll < 74) {
        static const std::vector<std::string> runs = {"0.5", "1", "1", "1.5", "2", "5", "30", "61"};
        return "run " + pick(runs);
    }
    if (roll < 82) return settingsStep();
    if (roll < 88) return powerStep();
    return otherStep();
}

std::string SequenceGenerator::boostStep(const WorldView& world) {
    if (world.boostStates.empty() || chance(0.05)) return chance(0.5) ? "disable-all" : "sync";
    const auto display = id(pick(world.boostStates));
    switch (below(7)) {
    case 0:
    case 1: return "boost " + display + " on";
    case 2: return "boost " + display + " off";
    case 3:
    case 4: return "level " + display + " " + level();
    case 5: return "boost-up " + display;
    default: return "boost-down " + display;
    }
}

std::string SequenceGenerator::screenStep(const WorldView& world) {
    const auto& display = pick(displays());
    const auto which = id(display.id);
    const bool attached = world.attached.count(display.id) != 0;
    switch (below(6)) {
    case 0: return attached ? "screen remove " + which : "screen add " + which + " " + display.screen;
    case 1:
        if (!attached) return "notify screens";
        return "screen set " + which + " potential=" + pick(std::vector<std::string>{"1.0", "2.0", "8.0"});
    case 2:
        if (!attached) return "notify screens";
        return "screen set " + which + " frame=" +
               pick(std::vector<std::string>{"0,0,1512,982", "-1920,-200,1920,1080", "3000,0,2560,1440"});
    case 3: return "main " + which;
    case 4: return "gamma " + which + " " + pick(std::vector<std::string>{"read-fails", "write-fails", "ok", "ok"});
    default: return "notify screens";
    }
}

std::string SequenceGenerator::settingsStep() {
    static const std::vector<std::string> lines = {
        "setting onlyWhileCharging true",
        "setting onlyWhileCharging false",
        "setting autoOffLowBattery true",
        "setting autoOffLowBattery false",
        "setting lowBatteryPercent 20",
        "setting lowBatteryPercent 50",
        "setting autoOffTimer true",
        "setting autoOffTimer false",
        "setting timerMinutes 0",
        "setting timerMinutes 1",
        "setting timerMinutes 20",
        "setting brightnessKeyEnabled true",
        "setting brightnessKeyEnabled false",
        // Values of the wrong type or out of any slider's range, as a hand
        // edit or another version of the program may leave them.
        "store timerMinutes \"thirty\"",
        "store timerMinutes -5",
        "store timerMinutes 9223372036854775807",
        "store autoOffTimer 1",
        "store onlyWhileCharging \"true\"",
        "store lowBatteryPercent false",
        "store lowBatteryPercent -9223372036854775807",
        "store brightnessKeyEnabled \"yes\"",
        "store brightnessKeysEnabled 0",
        "store appLanguage 7",
        "unstore timerMinutes",
        "unstore brightnessKeyEnabled",
    };
    return pick(lines);
}

std::string SequenceGenerator::powerStep() {
    const auto charge = std::to_string(below(101) * 10);
    switch (below(6)) {
    case 0:
    case 1: return "power set current=" + charge + " max=1000 state=\"Battery Power\" charging=false";
    case 2:
    case 3: return "power set current=" + charge + " max=1000 state=\"AC Power\" charging=true";
    case 4: return pick(std::vector<std::string>{"power clear", "power set current=\"low\"", "power set max=0",
                                                 "power add-broken"});
    default: return "battery update";
    }
}

std::string SequenceGenerator::otherStep() {
    switch (below(8)) {
    case 0:
    case 1: return "click status-item";
    case 2: return pick(std::vector<std::string>{"click elsewhere", "click elsewhere right"});
    case 3: return "trust " + pick(booleans);
    case 4: return "hw-brightness 1 " + pick(std::vector<std::string>{"1.0", "0.5", "0.97"});
    case 5: return "metal " + pick(std::vector<std::string>{"on", "on", "off"});
    case 6: return "tap-creation " + pick(std::vector<std::string>{"ok", "fails"});
    default: return "disable-all";
    }
}

} // namespace brillex::sim
