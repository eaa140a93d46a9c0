#pragma once

#include <optional>

#include "app/AppWorld.h"
#include "app/ControlCommands.h"
#include "controls/KeyboardBrightness.h"

namespace brillex::test {

// The launched application of AppWorld with the commands of `brillex ctl`
// working on it; the keyboard model is made when a command first needs it,
// as in the program.
struct ControlWorld {
    ControlWorld() {
        world.launch();
        commands.emplace(world.delegate(), world.models(),
                         [this]() -> KeyboardBrightness& {
                             if (!keyboard) keyboard.emplace(world.sim.loop, world.sim.objects);
                             return *keyboard;
                         },
                         ControlCommands::Platform{world.sim.application, world.sim.loop, world.sim.powerSources});
    }

    AppWorld world;
    std::optional<KeyboardBrightness> keyboard;
    std::optional<ControlCommands> commands;
};

} // namespace brillex::test
