// Any text as a scenario script, line by line as the runner reads it: each
// line parses into words and options or is refused with a reason, and every
// word reads as a number, integer, Boolean or display id or is refused.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "brillex-sim/Runner.h"

using namespace brillex::sim;

namespace {

template <class Read>
void tryRead(Read read) {
    try {
        read();
    } catch (const CommandError&) {
    }
}

void readEverything(const Command& command) {
    for (std::size_t i = 0; i < command.count(); ++i) {
        const Word& word = command.word(i);
        // Only a quoted run can hold a space or lose its quotes.
        if (!word.quoted && word.text.find_first_of(" \"") != std::string::npos) std::abort();
        tryRead([&] { (void)command.number(i); });
        tryRead([&] { (void)command.integer(i); });
        tryRead([&] { (void)command.boolean(i); });
        tryRead([&] { (void)displayId(command, i); });
    }
    for (const auto& option : command.options()) {
        const std::string& key = option.first;
        if (key.empty() || key.find('=') != std::string::npos) std::abort();
        tryRead([&] { (void)command.numberOption(key); });
        tryRead([&] { (void)command.booleanOption(key); });
    }
    tryRead([&] { command.expectWords(2); });
    tryRead([&] { (void)command.word(command.count()); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        try {
            readEverything(Command::parse(line));
        } catch (const CommandError&) {
        }
    }
    return 0;
}
