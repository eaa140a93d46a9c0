#pragma once

#include <string>
#include <vector>

namespace brillex::sim {

// The script commands as brillex-sim --help and its manual page list them:
// groups of synopses, each beginning with the words the runner knows it by.
struct CommandGroup {
    const char* title;
    std::vector<const char*> synopses;
};

const std::vector<CommandGroup>& commandReference();

// The whole --help text.
std::string helpText();

} // namespace brillex::sim
