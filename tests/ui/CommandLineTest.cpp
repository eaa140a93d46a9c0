#include <gtest/gtest.h>

#include "ui/shell/CommandLine.h"

namespace brillex {
namespace {

std::optional<CommandLine> parse(std::vector<std::string> words, std::string* error = nullptr) {
    std::string message;
    auto line = CommandLine::parse(words, message);
    if (error) *error = message;
    return line;
}

TEST(CommandLineTest, OptionsAndTheirDefaults) {
    auto plain = parse({});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->action, CommandLine::Action::run);
    EXPECT_FALSE(plain->simulate);
    EXPECT_TRUE(plain->simulatorWindow);
    EXPECT_FALSE(plain->builtInOutput);

    auto all = parse({"--simulate", "--no-simulator-window", "--boost-built-in", "--built-in", "DP-1"});
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->simulate);
    EXPECT_FALSE(all->simulatorWindow);
    EXPECT_TRUE(all->boostBuiltIn);
    EXPECT_EQ(all->builtInOutput, "DP-1");

    EXPECT_EQ(parse({"--simulate", "--help"})->action, CommandLine::Action::help);
    EXPECT_EQ(parse({"--version"})->action, CommandLine::Action::version);
}

TEST(CommandLineTest, CtlTakesEveryWordAfterIt) {
    auto line = parse({"--simulate", "ctl", "level", "--help", "0.5"});
    ASSERT_TRUE(line);
    EXPECT_EQ(line->action, CommandLine::Action::ctl);
    EXPECT_EQ(line->ctlArguments, (std::vector<std::string>{"level", "--help", "0.5"}));
}

TEST(CommandLineTest, UnknownOptionsAndAMissingOutputAreErrors) {
    std::string error;
    EXPECT_FALSE(parse({"--simulat"}, &error));
    EXPECT_EQ(error, "unknown option: --simulat");
    EXPECT_FALSE(parse({"--built-in"}, &error));
    EXPECT_FALSE(parse({"--built-in", "--simulate"}, &error));
    EXPECT_EQ(error, "--built-in needs the name of an output");
}

} // namespace
} // namespace brillex
