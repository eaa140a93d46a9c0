#include <charconv>
#include <fstream>
#include <iostream>
#include <string>

#include "SequenceRun.h"
#include "Shrink.h"

namespace {

using namespace brillex::sim;

constexpr const char* usage =
    "usage: brillex-random [--seeds FIRST-LAST | --seeds COUNT] [--steps N] [--print]\n"
    "       brillex-random --replay SCRIPT\n"
    "Plays seeded whole-system sequences on the simulated computer and checks the\n"
    "invariants after every step. A failing seed is shrunk and printed as a\n"
    "script that brillex-sim replays; --print prints every seed's script.\n";

bool parseCount(const std::string& text, std::uint64_t& value) {
    const auto* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool parseSeeds(const std::string& text, std::uint64_t& first, std::uint64_t& last) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) {
        first = 1;
        return parseCount(text, last) && last >= 1;
    }
    return parseCount(text.substr(0, dash), first) && parseCount(text.substr(dash + 1), last) && first <= last;
}

bool sameFailure(const Violation& a, const Violation& b) {
    // A failed line must fail the same way; other invariants by kind, since
    // the numbers in their detail change as steps go.
    return a.kind == b.kind && (a.kind != "failed line" || a.detail == b.detail);
}

void printScript(const std::string& title, const Violation& violation, const std::vector<std::string>& lines) {
    std::cout << "# " << title << ": " << violation.kind << ": " << violation.detail << '\n';
    for (const auto& line : lines) std::cout << line << '\n';
}

int report(const std::string& title, const SequenceOutcome& outcome) {
    const auto& violation = *outcome.violation;
    std::cout << title << " breaks \"" << violation.kind << "\" after " << outcome.lines.size() << " lines: "
              << violation.detail << "\nshrinking...\n"
              << std::flush;
    const auto shrunk = shrinkSteps(outcome.lines, [&violation](const std::vector<std::string>& lines) {
        const auto replay = playLines(lines, true);
        return replay.violation && sameFailure(*replay.violation, violation);
    });
    const auto confirmed = playLines(shrunk, true);
    printScript(title + ", shrunk from " + std::to_string(outcome.lines.size()) + " lines",
                confirmed.violation.value_or(violation), shrunk);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::uint64_t first = 1;
    std::uint64_t last = 100;
    std::uint64_t steps = 40;
    std::string replay;
    bool print = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help") {
            std::cout << usage;
            return 0;
        }
        if (option == "--seeds" && hasValue && parseSeeds(argv[i + 1], first, last)) {
            ++i;
        } else if (option == "--steps" && hasValue && parseCount(argv[i + 1], steps) && steps >= 1 && steps <= 100000) {
            ++i;
        } else if (option == "--print") {
            print = true;
        } else if (option == "--replay" && hasValue) {
            replay = argv[++i];
        } else {
            std::cerr << usage;
            return 2;
        }
    }

    if (!replay.empty()) {
        std::ifstream script(replay);
        if (!script) {
            std::cerr << "brillex-random: cannot open " << replay << '\n';
            return 2;
        }
        std::vector<std::string> lines;
        for (std::string line; std::getline(script, line);) lines.push_back(line);
        const auto outcome = playLines(lines);
        if (outcome.violation) return report(replay, outcome);
        std::cout << replay << ": every invariant held\n";
        return 0;
    }

    for (auto seed = first; seed <= last; ++seed) {
        const auto outcome = playSeed(seed, static_cast<int>(steps));
        if (outcome.violation) return report("seed " + std::to_string(seed), outcome);
        if (print) {
            std::cout << "# seed " << seed << '\n';
            for (const auto& line : outcome.lines) std::cout << line << '\n';
        }
    }
    (print ? std::cerr : std::cout) << "seeds " << first << "-" << last << ", up to " << steps << " steps: every invariant held\n";
    return 0;
}
