#include "ui/shell/CommandLine.h"

namespace brillex {

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& arguments, std::string& error) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "ctl") {
            line.action = Action::ctl;
            line.ctlArguments.assign(arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
            return line;
        }
        if (word == "--help" || word == "-h") line.action = Action::help;
        else if (word == "--version") line.action = Action::version;
        else if (word == "--simulate") line.simulate = true;
        else if (word == "--no-simulator-window") line.simulatorWindow = false;
        else if (word == "--boost-built-in") line.boostBuiltIn = true;
        else if (word == "--built-in") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty() || arguments[i + 1][0] == '-') {
                error = "--built-in needs the name of an output";
                return std::nullopt;
            }
            line.builtInOutput = arguments[++i];
        } else {
            error = "unknown option: " + word;
            return std::nullopt;
        }
    }
    return line;
}

const char* CommandLine::usageLine() {
    return "usage: brillex [--simulate] [--built-in OUTPUT] [--help] [--version] | brillex ctl COMMAND";
}

std::string CommandLine::help() {
    return std::string(usageLine()) +
           "\n\n"
           "Brillex lives in the system tray and lifts each display above its standard white.\n"
           "\n"
           "Options:\n"
           "  --simulate             run on the simulated computer, with its window\n"
           "  --built-in OUTPUT      treat the X output OUTPUT (e.g. DP-1) as the built-in panel\n"
           "  --no-simulator-window  with --simulate: no simulator window\n"
           "  --boost-built-in       boost the built-in display half-way from launch on\n"
           "  -h, --help             print this help and exit\n"
           "  --version              print the version and exit\n"
           "\n"
           "Control of the running instance over the D-Bus session bus (for scripts and desktop\n"
           "shortcuts; on macOS only where a session bus runs, which the system does not start):\n"
           "  brillex ctl status             one line per boostable display, battery, keyboard\n"
           "  brillex ctl boost ID|all on|off\n"
           "  brillex ctl level ID X         boost level X from 0 to 1\n"
           "  brillex ctl brightness ID X    system brightness X from 0 to 1\n"
           "  brillex ctl up | down          what the brightness keys do, with the on-screen display\n"
           "  brillex ctl quit\n"
           "\n"
           "Without a display, `brillex-sim --demo` plays the terminal demo.\n"
           "\n"
           "Exit status: 0 success, 1 a ctl command failed or no instance runs (or, without a\n"
           "session bus, one runs already), 2 a malformed command line or no display to run on.\n";
}

} // namespace brillex
