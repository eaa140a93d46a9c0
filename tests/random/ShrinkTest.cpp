#include "Shrink.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace brillex::sim {
namespace {

using Steps = std::vector<std::string>;

bool holdsInOrder(const Steps& steps, const Steps& wanted) {
    auto at = steps.begin();
    for (const auto& step : wanted) {
        at = std::find(at, steps.end(), step);
        if (at == steps.end()) return false;
        ++at;
    }
    return true;
}

Steps noiseAround(const Steps& needed, std::size_t length) {
    Steps steps;
    for (std::size_t i = 0; i < length; ++i) steps.push_back("run " + std::to_string(i));
    for (std::size_t i = 0; i < needed.size(); ++i) {
        steps.insert(steps.begin() + static_cast<std::ptrdiff_t>((i + 1) * length / (needed.size() + 1) + i), needed[i]);
    }
    return steps;
}

TEST(ShrinkTest, KeepsOnlyTheStepsTheFailureNeedsInTheirOrder) {
    for (const Steps& needed : {Steps{"launch"}, Steps{"launch", "boost 1 on", "quit"},
                               Steps{"boost 1 on", "gamma 1 write-fails", "boost 1 off", "boost 1 on"}}) {
        int plays = 0;
        const auto shrunk = shrinkSteps(noiseAround(needed, 60), [&](const Steps& steps) {
            ++plays;
            return holdsInOrder(steps, needed);
        });
        EXPECT_EQ(shrunk, needed);
        // Far fewer plays than trying every subset; the shrinking of a
        // sequence of a few dozen steps stays quick.
        EXPECT_LT(plays, 400);
    }
}

TEST(ShrinkTest, RepeatedStepsAreKeptAsOftenAsNeeded) {
    const Steps needed = {"key up", "key up", "key up"};
    const auto shrunk = shrinkSteps(noiseAround(needed, 20), [&](const Steps& steps) {
        return std::count(steps.begin(), steps.end(), "key up") >= 3;
    });
    EXPECT_EQ(shrunk, needed);
}

TEST(ShrinkTest, ASequenceThatNeedsEveryStepStaysWholeAndShortOnesAreLeftAlone) {
    const Steps all = {"a", "b", "c", "d", "e"};
    EXPECT_EQ(shrinkSteps(all, [&](const Steps& steps) { return steps == all; }), all);
    EXPECT_EQ(shrinkSteps({"quit"}, [](const Steps&) { return true; }), Steps{"quit"});
    EXPECT_TRUE(shrinkSteps({}, [](const Steps&) { return true; }).empty());
}

} // namespace
} // namespace brillex::sim
