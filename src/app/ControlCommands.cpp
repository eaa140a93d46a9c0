#include "app/ControlCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "base/Format.h"
#include "base/Log.h"
#include "base/Port.h"
#include "boost/BrightnessManager.h"
#include "controls/KeyboardBrightness.h"
#include "controls/SystemBrightness.h"
#include "keys/KeyboardManager.h"
#include "power/BatteryMonitor.h"
#include "settings/AppSettings.h"

namespace brillex {
namespace {

constexpr const char* kUsage =
    "usage: brillex ctl status | boost ID|all on|off | level ID X | brightness ID X | up | down | quit";

// A text in double quotes that stays on one line whatever it holds; long
// words (anything may arrive over the bus) are cut.
std::string quoted(std::string_view text) {
    constexpr std::size_t kLongest = 80;
    std::string result = "\"";
    for (std::size_t i = 0; i < text.size() && i < kLongest; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            result += '\\';
            result += static_cast<char>(c);
        } else if (c < 0x20 || c == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            result += escape;
        } else {
            result += static_cast<char>(c);
        }
    }
    if (text.size() > kLongest) result += "...";
    return result + "\"";
}

ControlReply refused(const std::string& reason) {
    return ControlReply{1, "", "brillex: " + reason + "\n"};
}

ControlReply usage() {
    return refused(kUsage);
}

// A switch-on that the display refused, as the log gives its reason.
std::string wasRefused(const DisplayBoostState& state) {
    return "display " + std::to_string(state.id) + " was not boosted: " + state.refusal;
}

std::optional<bool> parseOnOff(const std::string& word) {
    if (word == "on") return true;
    if (word == "off") return false;
    return std::nullopt;
}

} // namespace

ControlCommands::ControlCommands(AppDelegate& delegate, AppModels models,
                                 std::function<KeyboardBrightness&()> keyboardBrightness, Platform platform)
    : delegate_(delegate), models_(std::move(models)), keyboardBrightness_(std::move(keyboardBrightness)),
      platform_(platform) {}

ControlCommands ControlCommands::installed(AppDelegate& delegate) {
    return ControlCommands(delegate, AppModels::shared(),
                           [] () -> KeyboardBrightness& { return KeyboardBrightness::shared(); },
                           Platform{Port<Application>::get(), Port<MainLoop>::get(), Port<PowerSources>::get()});
}

std::optional<double> ControlCommands::parseLevel(const std::string& word) {
    // [+-] digits [. digits] [e [+-] digits], or with the digits after the point alone.
    std::size_t at = 0;
    const auto digits = [&] {
        const std::size_t from = at;
        while (at < word.size() && word[at] >= '0' && word[at] <= '9') ++at;
        return at - from;
    };
    if (at < word.size() && (word[at] == '+' || word[at] == '-')) ++at;
    const std::size_t mantissa = at;
    std::size_t count = digits();
    if (at < word.size() && word[at] == '.') {
        ++at;
        count += digits();
    }
    if (count == 0) return std::nullopt;
    const std::size_t mantissaEnd = at;
    if (at < word.size() && (word[at] == 'e' || word[at] == 'E')) {
        ++at;
        if (at < word.size() && (word[at] == '+' || word[at] == '-')) ++at;
        if (digits() == 0) return std::nullopt;
    }
    if (at != word.size()) return std::nullopt;

    double value = 0.0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data() + (word[0] == '+'), end, value);
    if (result.ec == std::errc::result_out_of_range) {
        // Too small to tell from 0 is 0; too large is not finite. Which one
        // the first significant digit's place tells.
        const std::string_view digitsOnly(word.data() + mantissa, mantissaEnd - mantissa);
        const std::size_t point = std::min(digitsOnly.find('.'), digitsOnly.size());
        const std::size_t first = digitsOnly.find_first_not_of("0.");
        long place = first == std::string_view::npos ? 0 : static_cast<long>(point) - static_cast<long>(first);
        if (first != std::string_view::npos && first > point) ++place;
        long exponent = 0;
        if (mantissaEnd < word.size()) {
            const char* from = word.data() + mantissaEnd + 1 + (word[mantissaEnd + 1] == '+');
            if (std::from_chars(from, end, exponent).ec != std::errc()) exponent = *from == '-' ? -1000000 : 1000000;
        }
        if (place + exponent > 0) return std::nullopt;
        return 0.0;
    }
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value + 0.0; // -0 is 0
}

std::optional<std::uint32_t> ControlCommands::parseDisplayId(const std::string& word) {
    std::uint32_t value = 0;
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (word.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

ControlReply ControlCommands::run(const std::vector<std::string>& words) {
    if (words.empty()) return usage();
    const std::string& command = words[0];
    const std::size_t count = words.size();
    // A known command with too few or too many words gets the usage line.
    if (command == "status") return count == 1 ? status() : usage();
    if (command == "boost") return count == 3 ? boost(words[1], words[2]) : usage();
    if (command == "level") return count == 3 ? level(words[1], words[2]) : usage();
    if (command == "brightness") return count == 3 ? brightness(words[1], words[2]) : usage();
    if (command == "up") return count == 1 ? brightnessKey(KeyboardManager::kKeyBrightnessUp) : usage();
    if (command == "down") return count == 1 ? brightnessKey(KeyboardManager::kKeyBrightnessDown) : usage();
    if (command == "quit") return count == 1 ? quit() : usage();
    return refused("unknown ctl command " + quoted(command) + "; " + kUsage);
}

ControlReply ControlCommands::status() {
    ControlReply reply;
    auto& manager = models_.brightnessManager();
    const auto& brightnessStates = models_.systemBrightness().displayStates.get();
    for (const DisplayId id : manager.stateIds()) {
        const DisplayBoostState& state = *manager.state(id);
        const auto brightness = brightnessStates.find(id);
        const bool controllable = brightness != brightnessStates.end() && brightness->second->hasBrightnessControl();
        reply.out += "display " + std::to_string(id) + " " + quoted(state.displayInfo.name) +
                     " builtin=" + formatBool(state.displayInfo.isBuiltIn) + " xdr=" + formatBool(state.isXDRCapable()) +
                     " boost=" + (state.isBoostEnabled.get() ? "on" : "off") +
                     " level=" + formatNumber(state.boostLevel.get()) +
                     " percent=" + std::to_string(state.boostPercent.get()) +
                     " nits=" + std::to_string(state.currentNits.get()) +
                     (controllable ? " brightness=" + formatNumber(brightness->second->brightness.get()) : "") + "\n";
    }
    // The monitor reports a desktop as full and on mains power; only a
    // snapshot tells whether a battery is there at all.
    const auto sources = platform_.powerSources.snapshot();
    if (sources && !sources->empty()) {
        const auto& battery = models_.batteryMonitor();
        // As read: a reading has hundredths of a percent at most, and the
        // division that makes the level must not show its last bit (55.00000000000001).
        reply.out += "battery level=" + formatNumber(std::round(battery.chargeLevel.get() * 100.0) / 100.0) +
                     " on-battery=" + formatBool(battery.isOnBattery.get()) +
                     " charging=" + formatBool(battery.isCharging.get()) + "\n";
    }
    const auto& keyboard = keyboardBrightness_();
    reply.out += "keyboard available=" + formatBool(keyboard.isAvailable.get()) +
                 " level=" + formatNumber(keyboard.brightness.get()) + "\n";
    return reply;
}

bool ControlCommands::boostBlockedOnBattery() {
    return models_.settings().onlyWhileCharging() && models_.batteryMonitor().isOnBattery.get();
}

ControlReply ControlCommands::boost(const std::string& target, const std::string& onOff) {
    const auto on = parseOnOff(onOff);
    if (!on) return refused("expected on or off, not " + quoted(onOff));
    auto& manager = models_.brightnessManager();
    // The popover's switches refuse the same; the battery rules would only
    // catch it at the next change of power source.
    if (*on && boostBlockedOnBattery()) return refused("the boost is allowed only while charging");

    if (target == "all") {
        if (!*on) {
            manager.disableAllBoosts();
            return {};
        }
        bool any = false;
        std::string notBoosted;
        for (const DisplayId id : manager.stateIds()) {
            auto* state = manager.state(id);
            if (!state->isXDRCapable()) continue;
            state->setBoostEnabled(true);
            any = true;
            if (notBoosted.empty() && !state->refusal.empty()) notBoosted = wasRefused(*state);
        }
        if (!any) return refused("no display can be boosted");
        if (!notBoosted.empty()) return refused(notBoosted);
        return {};
    }

    const auto id = parseDisplayId(target);
    if (!id) return refused("not a display id: " + quoted(target));
    auto* state = manager.state(*id);
    if (!state) return refused("unknown display: " + std::to_string(*id));
    if (*on && !state->isXDRCapable()) return refused("display " + std::to_string(*id) + " cannot be boosted");
    state->setBoostEnabled(*on);
    if (*on && !state->refusal.empty()) return refused(wasRefused(*state));
    return {};
}

ControlReply ControlCommands::level(const std::string& display, const std::string& value) {
    const auto id = parseDisplayId(display);
    if (!id) return refused("not a display id: " + quoted(display));
    const auto level = parseLevel(value);
    if (!level) return refused("not a level (a number from 0 to 1): " + quoted(value));
    auto* state = models_.brightnessManager().state(*id);
    if (!state) return refused("unknown display: " + std::to_string(*id));
    if (!state->isXDRCapable()) return refused("display " + std::to_string(*id) + " cannot be boosted");
    // A number outside 0..1 is brought into range by the state, which logs it.
    state->setBoostLevel(*level);
    return {};
}

ControlReply ControlCommands::brightness(const std::string& display, const std::string& value) {
    const auto id = parseDisplayId(display);
    if (!id) return refused("not a display id: " + quoted(display));
    const auto level = parseLevel(value);
    if (!level) return refused("not a brightness (a number from 0 to 1): " + quoted(value));
    const auto& states = models_.systemBrightness().displayStates.get();
    const auto found = states.find(*id);
    if (found == states.end()) return refused("unknown display: " + std::to_string(*id));
    // The popover shows no slider for such a display either.
    DisplayBrightnessState& state = *found->second;
    if (!state.hasBrightnessControl())
        return refused("display " + std::to_string(*id) + " has no brightness control");
    // Brought into 0..1 by the state, as the slider's values are.
    if (!state.setBrightness(static_cast<float>(*level)))
        return refused("display " + std::to_string(*id) + " did not take the brightness");
    return {};
}

ControlReply ControlCommands::brightnessKey(int keyCode) {
    auto& keys = models_.keyboardManager();
    auto& brightnessManager = models_.brightnessManager();
    auto& systemBrightness = models_.systemBrightness();
    keys.handleBrightnessKey(keyCode, brightnessManager, systemBrightness, KeyboardManager::kBrightnessStep);
    return {};
}

ControlReply ControlCommands::quit() {
    // After the answer has gone out: the shutdown restores every table and
    // then ends the loop.
    Application& application = platform_.application;
    platform_.loop.post([&application] { application.terminate(); });
    return {};
}

void ControlCommands::showPopover() {
    logLine("Another start of the program asked for the popover");
    const Popover* popover = delegate_.popover();
    if (popover && popover->isShown()) {
        platform_.application.activateIgnoringOtherApps(true);
        return;
    }
    delegate_.togglePopover();
}

} // namespace brillex
