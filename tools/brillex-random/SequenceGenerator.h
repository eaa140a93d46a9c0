#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "boost/ScreenServices.h"

namespace brillex::sim {

// What the generator may know of the running world when it picks the next step,
// so that every step it writes is one the scenario runner can carry out.
struct WorldView {
    std::set<DisplayId> attached;       // display ids with a screen now
    std::vector<DisplayId> boostStates; // ids the brightness manager keeps a state for
};

// Writes one seeded sequence of scenario-runner lines over the whole system:
// a few screens, power and settings before launch, then random events until a
// quit at a random step (or after the last one).
class SequenceGenerator {
public:
    SequenceGenerator(std::uint64_t seed, int steps);

    // The next line, or none once the sequence has quit.
    std::optional<std::string> next(const WorldView& world);

    // The displays a sequence may plug in: id, and the rest of its "screen add" line.
    struct Display {
        DisplayId id;
        const char* screen;
    };
    static const std::vector<Display>& displays();

private:
    std::string setupStep();
    std::string eventStep(const WorldView& world);
    std::string screenStep(const WorldView& world);
    std::string boostStep(const WorldView& world);
    std::string settingsStep();
    std::string powerStep();
    std::string otherStep();

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <class T>
    const T& pick(const std::vector<T>& items) { return items[static_cast<std::size_t>(below(static_cast<int>(items.size())))]; }
    std::string level();

    std::mt19937_64 random_;
    std::vector<std::string> setup_;
    int steps_;
    int quitAt_;
    int step_ = 0;
    bool launched_ = false;
    bool done_ = false;
};

} // namespace brillex::sim
