#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/AppDelegate.h"
#include "app/AppModels.h"
#include "app/Application.h"
#include "base/MainLoop.h"
#include "power/PowerSources.h"

namespace brillex {

class KeyboardBrightness;

// What a control command answers: the exit status of `brillex ctl` and the
// texts it prints, each line ending in a newline.
struct ControlReply {
    int status = 0;
    std::string out;
    std::string err;
};

// The commands of `brillex ctl`, carried out in the running instance: the
// words after "ctl" in, the answer out. Any words are accepted; whatever is
// malformed is refused with one line and status 1, never guessed at.
class ControlCommands {
public:
    struct Platform {
        Application& application;
        MainLoop& loop;
        const PowerSources& powerSources;
    };

    ControlCommands(AppDelegate& delegate, AppModels models, std::function<KeyboardBrightness&()> keyboardBrightness,
                    Platform platform);

    // On the shared models and the installed platform.
    static ControlCommands installed(AppDelegate& delegate);

    ControlReply run(const std::vector<std::string>& words);

    // Asked by a second start of the program: opens the popover, or brings it
    // to the front when it is open already.
    void showPopover();

    // A boost level: a finite decimal number and nothing else; none otherwise.
    static std::optional<double> parseLevel(const std::string& word);
    // A display id: an unsigned 32-bit decimal integer and nothing else.
    static std::optional<std::uint32_t> parseDisplayId(const std::string& word);

private:
    ControlReply status();
    ControlReply boost(const std::string& target, const std::string& onOff);
    ControlReply level(const std::string& display, const std::string& value);
    ControlReply brightness(const std::string& display, const std::string& value);
    ControlReply brightnessKey(int keyCode);
    ControlReply quit();

    bool boostBlockedOnBattery();

    AppDelegate& delegate_;
    AppModels models_;
    std::function<KeyboardBrightness&()> keyboardBrightness_;
    Platform platform_;
};

} // namespace brillex
