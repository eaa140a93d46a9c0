#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "InvariantChecker.h"

namespace brillex::sim {

// One sequence played in a child process of its own, so that every sequence
// starts from a fresh computer and fresh shared models, and a crash or a
// sanitizer report ends only that sequence.
struct SequenceOutcome {
    std::vector<std::string> lines;     // as played, up to the failing one
    std::optional<Violation> violation; // none: every invariant held
};

// Generates and plays the sequence of `seed`.
SequenceOutcome playSeed(std::uint64_t seed, int steps);
// Plays the given lines as they are; `quiet` keeps the child's error output
// (a sanitizer report seen again while shrinking) off the terminal.
SequenceOutcome playLines(const std::vector<std::string>& lines, bool quiet = false);

} // namespace brillex::sim
