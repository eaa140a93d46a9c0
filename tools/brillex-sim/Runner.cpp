#include "Runner.h"

#include <charconv>
#include <cmath>
#include <istream>
#include <limits>
#include <iostream>

#include "base/Log.h"

namespace brillex::sim {
namespace {

// Splits a line into words; a double-quoted run may hold spaces and may
// follow "KEY=" (state="On AC").
struct Token {
    Word word;
    bool startsQuoted = false;
};

std::vector<Token> split(const std::string& line) {
    std::vector<Token> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ') ++i;
        if (i >= line.size()) break;
        Word word;
        const bool startsQuoted = line[i] == '"';
        while (i < line.size() && line[i] != ' ') {
            if (line[i] == '"') {
                const auto close = line.find('"', i + 1);
                if (close == std::string::npos) throw CommandError("unterminated quote");
                word.text += line.substr(i + 1, close - i - 1);
                word.quoted = true;
                i = close + 1;
            } else {
                word.text += line[i++];
            }
        }
        words.push_back(Token{std::move(word), startsQuoted});
    }
    return words;
}

} // namespace

Command Command::parse(const std::string& line) {
    Command command;
    for (auto& [word, startsQuoted] : split(line)) {
        const auto eq = word.text.find('=');
        // A quoted word is positional unless the quote came after "KEY=".
        if (!startsQuoted && eq != std::string::npos && eq > 0) {
            command.options_[word.text.substr(0, eq)] = Word{word.text.substr(eq + 1), word.quoted};
        } else {
            command.words_.push_back(std::move(word));
        }
    }
    return command;
}

const Word& Command::word(std::size_t index) const {
    if (index >= words_.size()) throw CommandError("missing argument");
    return words_[index];
}

double Command::number(std::size_t index) const { return parseNumber(text(index)); }
long long Command::integer(std::size_t index) const { return parseInteger(text(index)); }
bool Command::boolean(std::size_t index) const { return parseBoolean(text(index)); }

void Command::expectWords(std::size_t n) const {
    if (words_.size() < n) throw CommandError("missing argument");
    if (words_.size() > n) throw CommandError("unexpected argument: " + words_[n].text);
}

const Word& Command::option(const std::string& key) const {
    const auto it = options_.find(key);
    if (it == options_.end()) throw CommandError("missing option " + key);
    return it->second;
}

double Command::numberOption(const std::string& key) const { return parseNumber(option(key).text); }
bool Command::booleanOption(const std::string& key) const { return parseBoolean(option(key).text); }

double parseNumber(const std::string& text) {
    if (text == "nan" || text == "NaN") return std::nan("");
    double value = 0.0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) throw CommandError("not a number: " + text);
    return value;
}

long long parseInteger(const std::string& text) {
    long long value = 0;
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc() || result.ptr != end) throw CommandError("not an integer: " + text);
    return value;
}

bool parseBoolean(const std::string& text) {
    if (text == "true") return true;
    if (text == "false") return false;
    throw CommandError("not a boolean: " + text);
}

DisplayId displayId(const Command& command, std::size_t index) {
    const long long id = command.integer(index);
    if (id < 0 || id > std::numeric_limits<DisplayId>::max()) throw CommandError("not a display id: " + command.text(index));
    return static_cast<DisplayId>(id);
}

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void Runner::add(const std::string& name, Handler handler) {
    handlers_[name] = std::move(handler);
}

void Runner::print(const std::string& line) {
    std::cout << line << '\n' << std::flush;
}

void Runner::answer(const std::string& name, const Fields& fields) {
    std::string line = "= " + name;
    for (const auto& [key, value] : fields) line += " " + key + "=" + value;
    print(line);
}

void Runner::runLine(const std::string& line) {
    if (line.empty() || line.front() == '#' || line.find_first_not_of(' ') == std::string::npos) return;
    try {
        const auto command = Command::parse(line);
        if (command.count() == 0) throw CommandError("malformed line: " + line);
        auto it = command.count() > 1 ? handlers_.find(command.text(0) + " " + command.text(1)) : handlers_.end();
        if (it == handlers_.end()) it = handlers_.find(command.text(0));
        if (it == handlers_.end()) throw CommandError("unknown command: " + command.text(0));
        it->second(command);
    } catch (const std::exception& error) {
        failed_ = true;
        print(std::string("! ") + error.what());
    }
    sim_.loop.runPending();
}

int Runner::run(std::istream& script) {
    std::string line;
    while (std::getline(script, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        runLine(line);
    }
    return failed_ ? 1 : 0;
}

void addCoreCommands(Runner& runner) {
    runner.add("echo", [&runner](const Command& command) {
        std::string text;
        for (std::size_t i = 1; i < command.count(); ++i) text += (i > 1 ? " " : "") + command.text(i);
        runner.print(text);
    });
    runner.add("run", [&runner](const Command& command) {
        command.expectWords(2);
        const double seconds = command.number(1);
        if (!(seconds >= 0.0)) throw CommandError("run needs a time of 0 or more seconds");
        runner.sim().loop.advance(seconds);
    });
}

void addAllCommands(Runner& runner) {
    addCoreCommands(runner);
    addBoostCommands(runner);
    addPowerCommands(runner);
    addSettingsCommands(runner);
    addControlsCommands(runner);
    addFeaturesCommands(runner);
    addSystemBrightnessCommands(runner);
    addKeysCommands(runner);
    addAppCommands(runner);
    addEdidCommands(runner);
}

} // namespace brillex::sim
