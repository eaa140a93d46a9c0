#pragma once

#include <optional>
#include <string>
#include <vector>

namespace brillex {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Action { run, help, version, ctl };

    Action action = Action::run;
    bool simulate = false;
    // For measuring the program alone: no simulator window, and the built-in
    // display boosted half-way from launch on.
    bool simulatorWindow = true;
    bool boostBuiltIn = false;
    // The output to treat as the built-in panel, when its name does not say so.
    std::optional<std::string> builtInOutput;
    // The words after "ctl".
    std::vector<std::string> ctlArguments;

    // Parses argv[1..]; on a malformed command line, none and `error` says why.
    static std::optional<CommandLine> parse(const std::vector<std::string>& arguments, std::string& error);

    static const char* usageLine();
    // The whole --help text.
    static std::string help();
};

} // namespace brillex
