// Any words as `brillex ctl` gets them, one word per line: the command line
// parses or is refused, and the running instance answers every ctl command
// with status 0 and no error text, or with one line of error and status 1.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlWorld.h"
#include "app/ControlCommands.h"
#include "base/Log.h"
#include "controls/KeyboardBrightness.h"
#include "ui/shell/CommandLine.h"

using namespace brillex;

namespace {

std::vector<std::string> words(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> result(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') result.emplace_back();
        else result.back() += static_cast<char>(data[i]);
    }
    return result;
}

void check(const ControlReply& reply) {
    const bool oneLine = !reply.err.empty() && reply.err.find('\n') == reply.err.size() - 1;
    if (reply.status == 0 ? !reply.err.empty() : (reply.status != 1 || !oneLine)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const LogCapture quiet;
    std::string error;
    const auto line = CommandLine::parse(words(data, size), error);
    if (line.has_value() == !error.empty()) std::abort();
    if (!line || line->action != CommandLine::Action::ctl) return 0;

    test::ControlWorld control;
    test::AppWorld& world = control.world;
    ControlCommands& commands = *control.commands;
    check(commands.run(line->ctlArguments));
    world.sim.loop.runPending();
    // The state it left is reported soundly too.
    check(commands.run({"status"}));
    world.sim.loop.runPending();
    return 0;
}
