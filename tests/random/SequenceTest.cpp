#include "SequenceGenerator.h"
#include "SequenceRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace brillex::sim {
namespace {

std::vector<std::string> generate(std::uint64_t seed, int steps, const WorldView& world) {
    SequenceGenerator generator(seed, steps);
    std::vector<std::string> lines;
    while (auto line = generator.next(world)) lines.push_back(*line);
    return lines;
}

std::string word(const std::string& line, int index) {
    std::istringstream words(line);
    std::string each;
    for (int i = 0; i <= index; ++i) words >> each;
    return each;
}

TEST(SequenceGeneratorTest, ASeedAlwaysGivesTheSameSequenceSoAFailureReplays) {
    const WorldView world{{1, 2}, {1, 2}};
    EXPECT_EQ(generate(42, 40, world), generate(42, 40, world));
    EXPECT_NE(generate(42, 40, world), generate(43, 40, world));
}

TEST(SequenceGeneratorTest, LaunchesOnceAndEndsWithTheOneQuitWithinTheSteps) {
    for (std::uint64_t seed = 1; seed <= 200; ++seed) {
        const auto lines = generate(seed, 30, WorldView{{1}, {1}});
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "quit") << "seed " << seed;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "quit"), 1) << "seed " << seed;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "launch"), 1) << "seed " << seed;
        const auto launch = std::find(lines.begin(), lines.end(), "launch");
        EXPECT_LE(lines.end() - launch - 2, 30) << "seed " << seed;
    }
}

TEST(SequenceGeneratorTest, BoostStepsNameOnlyDisplaysWithAState) {
    // Display 1 is plugged in but has no state (no headroom yet): naming it
    // would be a failed line, not a finding.
    for (std::uint64_t seed = 1; seed <= 100; ++seed) {
        for (const auto& line : generate(seed, 60, WorldView{{1, 2}, {2}})) {
            const auto command = word(line, 0);
            if (command == "boost" || command == "level" || command == "boost-up" || command == "boost-down") {
                EXPECT_EQ(word(line, 1), "2") << line;
            }
        }
    }
}

std::vector<std::string> lines(const std::string& script) {
    std::vector<std::string> result;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(SequenceRunTest, AFailedLineIsAFinding) {
    const auto outcome = playLines({"screen add 1 \"Built-in Retina Display\" builtin potential=16.0", "launch",
                                    "boost 5 on", "quit"});
    ASSERT_TRUE(outcome.violation);
    EXPECT_EQ(outcome.violation->kind, "failed line");
    EXPECT_EQ(outcome.violation->detail, "! no boost state for display 5");
    EXPECT_EQ(outcome.lines.size(), 3u) << "the run stops at the failing line";
}

TEST(SequenceRunTest, ADisplayLeftBrightenedWithNoBoostOnIsAFinding) {
    // Another program brightens the table while no boost is on: the checker
    // cannot tell it from a boost that was not undone, and must not pass it.
    const auto outcome = playLines(lines("screen add 2 \"Pro Display XDR\" potential=6.0\n"
                                         "launch\n"
                                         "gamma 2 fill 0.9\n"
                                         "quit\n"));
    ASSERT_TRUE(outcome.violation);
    EXPECT_EQ(outcome.violation->kind, "table not restored");
    EXPECT_EQ(outcome.lines.back(), "gamma 2 fill 0.9");
}

TEST(SequenceRunTest, RefusedWriteBacksHoldEveryInvariantOnceTheDisplayTakesWritesAgain) {
    const auto outcome = playLines(lines("screen add 3 \"LG UltraFine 5K\" potential=2.0\n"
                                         "gamma 3 entry 255 0.9 0.95 1.0\n"
                                         "launch\n"
                                         "boost 3 on\n"
                                         "level 3 0.7\n"
                                         "gamma 3 write-fails\n"
                                         "boost 3 off\n"
                                         "boost 3 on\n"
                                         "screen remove 3\n"
                                         "notify screens\n"
                                         "gamma 3 ok\n"
                                         "screen add 3 \"LG UltraFine 5K\" potential=2.0\n"
                                         "notify screens\n"
                                         "boost 3 on\n"
                                         "level 3 1.0\n"
                                         "quit\n"));
    EXPECT_FALSE(outcome.violation) << outcome.violation->kind << ": " << outcome.violation->detail;
    EXPECT_EQ(outcome.lines.size(), 16u);
}

TEST(SequenceRunTest, ASeedsOwnSequenceIsWhatItPlays) {
    const auto outcome = playSeed(7, 30);
    EXPECT_FALSE(outcome.violation);
    SequenceGenerator generator(7, 30);
    ASSERT_FALSE(outcome.lines.empty());
    EXPECT_EQ(outcome.lines.front(), *generator.next(WorldView{}));
    EXPECT_EQ(outcome.lines.back(), "quit");
}

} // namespace
} // namespace brillex::sim
