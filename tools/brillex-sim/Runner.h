#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/SimComputer.h"

namespace brillex::sim {

// A command that cannot be carried out; the runner prints "! " and the reason.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Word {
    std::string text;
    bool quoted = false;
};

// One script line: positional words (the command words first) and KEY=VALUE options.
class Command {
public:
    static Command parse(const std::string& line);

    std::size_t count() const { return words_.size(); }
    const Word& word(std::size_t index) const;
    const std::string& text(std::size_t index) const { return word(index).text; }
    double number(std::size_t index) const;
    long long integer(std::size_t index) const;
    bool boolean(std::size_t index) const;
    // Expects exactly `n` positional words.
    void expectWords(std::size_t n) const;

    bool has(const std::string& key) const { return options_.count(key) != 0; }
    const Word& option(const std::string& key) const;
    double numberOption(const std::string& key) const;
    bool booleanOption(const std::string& key) const;
    const std::map<std::string, Word>& options() const { return options_; }

private:
    std::vector<Word> words_;
    std::map<std::string, Word> options_;
};

double parseNumber(const std::string& text);
long long parseInteger(const std::string& text);
bool parseBoolean(const std::string& text);
// The display number at `index`: an unsigned 32-bit integer.
DisplayId displayId(const Command& command, std::size_t index);

// Reads a script and plays it on the simulated computer.
class Runner {
public:
    using Handler = std::function<void(const Command&)>;
    using Fields = std::vector<std::pair<std::string, std::string>>;

    explicit Runner(SimComputer& sim) : sim_(sim) {}

    // Registers a handler under its first word, or its first two words
    // ("show state"); the two-word form is tried first.
    void add(const std::string& name, Handler handler);

    // Plays the script; returns the exit status (1 when any line failed).
    int run(std::istream& script);
    void runLine(const std::string& line);

    // Prints "= NAME key=value ...".
    void answer(const std::string& name, const Fields& fields);
    void print(const std::string& line);

    SimComputer& sim() { return sim_; }

    // File names in a script are relative to the script's folder.
    void setScriptFolder(std::filesystem::path folder) { scriptFolder_ = std::move(folder); }
    std::filesystem::path scriptPath(const std::string& name) const { return scriptFolder_ / name; }

private:
    SimComputer& sim_;
    std::filesystem::path scriptFolder_;
    std::map<std::string, Handler> handlers_;
    bool failed_ = false;
};

// Text in double quotes, as query answers show texts.
std::string quoted(const std::string& text);

// Each subsystem's commands and queries.
void addCoreCommands(Runner& runner);
void addBoostCommands(Runner& runner);
void addPowerCommands(Runner& runner);
void addSettingsCommands(Runner& runner);
void addControlsCommands(Runner& runner);
void addFeaturesCommands(Runner& runner);
void addSystemBrightnessCommands(Runner& runner);
void addKeysCommands(Runner& runner);
void addAppCommands(Runner& runner);
void addEdidCommands(Runner& runner);
// All of the above, as brillex-sim offers them.
void addAllCommands(Runner& runner);

} // namespace brillex::sim
