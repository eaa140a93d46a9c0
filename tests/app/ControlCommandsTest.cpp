#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "AppWorld.h"
#include "ControlWorld.h"
#include "app/ControlCommands.h"
#include "base/Log.h"
#include "controls/KeyboardBrightness.h"

using namespace brillex;
using brillex::test::AppWorld;
using Words = std::vector<std::string>;

namespace {

// The launched application of AppWorld (built-in display 1, "Pro Display
// XDR" 2) with the commands of `brillex ctl` working on it.
struct ControlCommandsTest : ::testing::Test, brillex::test::ControlWorld {
    ControlReply run(const Words& words) {
        ControlReply reply = commands->run(words);
        world.sim.loop.runPending();
        return reply;
    }
    DisplayBoostState& state(DisplayId id) { return *world.manager().state(id); }
};

TEST_F(ControlCommandsTest, StatusListsTheStatesInIdOrderThenBatteryThenKeyboard) {
    world.boost(2, true, 0.25);
    world.boost(1, true, 0.5);
    world.sim.powerSources.list = std::vector<PowerSources::Source>{PowerSourceDescription{
        {kPowerSourceCurrentCapacityKey, std::int64_t{37}},
        {kPowerSourceMaxCapacityKey, std::int64_t{80}},
        {kPowerSourceStateKey, std::string("AC Power")},
        {kPowerSourceIsChargingKey, true}}};
    world.poll();

    const ControlReply reply = run({"status"});
    EXPECT_EQ(reply.status, 0);
    EXPECT_EQ(reply.err, "");
    EXPECT_EQ(reply.out,
              "display 1 \"Built-in Retina Display\" builtin=true xdr=true boost=on level=0.5 percent=100 nits=1050 "
              "brightness=1.0\n"
              "display 2 \"Pro Display XDR\" builtin=false xdr=true boost=on level=0.25 percent=25 nits=775 "
              "brightness=1.0\n"
              "battery level=46.25 on-battery=false charging=true\n"
              "keyboard available=true level=0.5\n");
}

// UPower's 55 % arrives as 5500 of 10000, whose quotient times 100 is 55.00000000000001.
TEST_F(ControlCommandsTest, StatusShowsTheChargeAsReadNotTheLastBitOfItsDivision) {
    for (const auto& [current, maximum, shown] :
         std::vector<std::tuple<std::int64_t, std::int64_t, std::string>>{
             {5500, 10000, "55.0"}, {5723, 10000, "57.23"}, {1, 3, "33.33"}, {29, 100, "29.0"}}) {
        world.sim.powerSources.list = std::vector<PowerSources::Source>{PowerSourceDescription{
            {kPowerSourceCurrentCapacityKey, current}, {kPowerSourceMaxCapacityKey, maximum}}};
        world.poll();
        const std::string out = run({"status"}).out;
        EXPECT_NE(out.find("\nbattery level=" + shown + " "), std::string::npos) << out;
    }
}

TEST_F(ControlCommandsTest, StatusOfADesktopWithoutBacklightOrXdrNamesIsPlainAndQuotesStayOnOneLine) {
    world.sim.keyboardClient.ids = std::vector<std::uint64_t>{};
    world.addScreen(3, "Odd \"Panel\"\n", 2.0, false);
    world.sim.screens.notifyScreenChange();
    world.sim.loop.runPending();

    const ControlReply reply = run({"status"});
    EXPECT_EQ(reply.out,
              "display 1 \"Built-in Retina Display\" builtin=true xdr=true boost=off level=0.0 percent=0 nits=500 "
              "brightness=1.0\n"
              "display 2 \"Pro Display XDR\" builtin=false xdr=true boost=off level=0.0 percent=0 nits=500 "
              "brightness=1.0\n"
              "display 3 \"Odd \\\"Panel\\\"\\x0A\" builtin=false xdr=false boost=off level=0.0 percent=0 nits=500 "
              "brightness=1.0\n"
              "keyboard available=false level=0.5\n");
}

TEST_F(ControlCommandsTest, BoostSwitchesOneDisplayOrAllAndAllOffLowersTheLevels) {
    world.boost(1, true, 0.5);
    world.boost(1, false);

    EXPECT_EQ(run({"boost", "1", "on"}).status, 0);
    EXPECT_TRUE(state(1).isBoostEnabled.get());
    EXPECT_EQ(state(1).boostLevel.get(), 0.5); // the level chosen before is used again
    EXPECT_EQ(state(1).currentNits.get(), 1050);
    EXPECT_FALSE(state(2).isBoostEnabled.get());

    EXPECT_EQ(run({"boost", "1", "off"}).status, 0);
    EXPECT_FALSE(state(1).isBoostEnabled.get());
    EXPECT_EQ(state(1).boostLevel.get(), 0.5);
    EXPECT_EQ(world.sim.gamma.table(1).red, sim::SimGamma::identity().red);

    EXPECT_EQ(run({"boost", "all", "on"}).status, 0);
    EXPECT_TRUE(state(1).isBoostEnabled.get());
    EXPECT_TRUE(state(2).isBoostEnabled.get());

    const ControlReply off = run({"boost", "all", "off"});
    EXPECT_EQ(off.status, 0);
    EXPECT_EQ(off.out + off.err, "");
    for (DisplayId id : {1u, 2u}) {
        EXPECT_FALSE(state(id).isBoostEnabled.get());
        EXPECT_EQ(state(id).boostLevel.get(), 0.0);
        EXPECT_EQ(world.sim.gamma.table(id).green, sim::SimGamma::identity().green);
    }
}

TEST_F(ControlCommandsTest, LevelMovesTheBoostAtOnceAndANumberOutOfRangeIsBroughtIntoIt) {
    world.boost(1, true, 0.5);
    EXPECT_EQ(run({"level", "1", "0.75"}).status, 0);
    EXPECT_EQ(state(1).boostPercent.get(), 150);
    EXPECT_EQ(state(1).currentNits.get(), 1325);

    LogCapture log;
    EXPECT_EQ(run({"level", "1", "1.5"}).status, 0);
    EXPECT_EQ(state(1).boostLevel.get(), 1.0);
    EXPECT_TRUE(log.contains("Boost level out of range: display=1, level=1.5, using 1.0"));

    // While off the level is only stored, as the slider's would be.
    EXPECT_EQ(run({"level", "2", "-0"}).status, 0);
    EXPECT_FALSE(std::signbit(state(2).boostLevel.get()));
    EXPECT_EQ(run({"level", "2", "1e-3"}).status, 0);
    EXPECT_EQ(state(2).boostLevel.get(), 0.001);
    EXPECT_EQ(state(2).boostPercent.get(), 0);
}

// The cases the README lists for a level, and their neighbours.
TEST(ControlLevelWordTest, ALevelIsADecimalNumberAsTheReadmeDescribesIt) {
    const std::optional<double> refused;
    const std::vector<std::pair<std::string, std::optional<double>>> cases = {
        {"0.5", 0.5}, {"+0.5", 0.5}, {".5", 0.5}, {"5.", 5.0}, {"5e-1", 0.5}, {"5E-1", 0.5}, {"-0", 0.0},
        {"2", 2.0}, {"1e308", 1e308}, {"1e-400", 0.0}, {"-1e-400", 0.0}, {"0.0001e-330", 0.0},
        {"1e-99999999999999999999", 0.0},
        {"nan", refused}, {"inf", refused}, {"1e309", refused}, {"-1e309", refused}, {"1000e306", refused},
        {"1e99999999999999999999", refused}, {"0x1p-1", refused}, {"0,5", refused}, {"0.5x", refused},
        {" 0.5", refused}, {"", refused}, {"+", refused}, {".", refused}, {"1e", refused}, {"1e+", refused},
        {"++1", refused}, {"+-1", refused}, {"e5", refused}, {"1.2.3", refused},
    };
    for (const auto& [word, expected] : cases) {
        const std::optional<double> level = ControlCommands::parseLevel(word);
        EXPECT_EQ(level, expected) << "\"" << word << "\"";
        if (level) {
            EXPECT_FALSE(std::signbit(*level)) << word;
        }
    }
}

// A platform that cannot keep a table safe refuses the boost: one line in
// the log and one from ctl, the switch back off, no table said to be saved.
TEST_F(ControlCommandsTest, ABoostThePlatformCannotProtectIsRefusedWithOneLine) {
    world.sim.gamma.setUnprotected("nowhere to keep it; fix the folder");
    for (const Words& words : {Words{"boost", "1", "on"}, Words{"boost", "all", "on"}}) {
        LogCapture log;
        const ControlReply reply = run(words);
        EXPECT_EQ(reply.status, 1);
        EXPECT_EQ(reply.err, "brillex: display 1 was not boosted: nowhere to keep it; fix the folder\n");
        EXPECT_FALSE(state(1).isBoostEnabled.get());
        EXPECT_FALSE(state(2).isBoostEnabled.get());
        EXPECT_TRUE(log.contains("Boost refused for display 1: nowhere to keep it; fix the folder"));
        for (const auto& line : log.lines()) EXPECT_EQ(line.find("Gamma table saved"), std::string::npos) << line;
        EXPECT_EQ(world.sim.gamma.writes(1), 0);
    }
    world.sim.gamma.setUnprotected("");
    EXPECT_EQ(run({"boost", "1", "on"}).status, 0);
    EXPECT_TRUE(state(1).isBoostEnabled.get());
}

TEST_F(ControlCommandsTest, MalformedWordsAreRefusedWithOneLineAndChangeNothing) {
    world.boost(1, true, 0.5);
    const std::vector<Words> cases = {
        {},
        {""},
        {"frobnicate"},
        {"STATUS"},
        {"status", "now"},
        {"boost"},
        {"boost", "1"},
        {"boost", "1", "on", "please"},
        {"boost", "1", "maybe"},
        {"boost", "1", "ON"},
        {"boost", "one", "off"},
        {"boost", "-1", "off"},
        {"boost", "+1", "off"},
        {"boost", "4294967297", "off"},
        {"boost", "1 ", "off"},
        {"boost", "", "off"},
        {"level", "1"},
        {"level", "1", "0.2", "0.3"},
        {"level", "1", "nan"},
        {"level", "1", "NaN"},
        {"level", "1", "inf"},
        {"level", "1", "-infinity"},
        {"level", "1", "1e999"},
        {"level", "1", "0.5x"},
        {"level", "1", "0,5"},
        {"level", "1", " 0.5"},
        {"level", "1", ""},
        {"level", "1", "0x1p-1"},
        {"level", "1", "0.2\n0.3"},
        {"level", "all", "0.2"},
        {"up", "up"},
        {"down", "1"},
        {"quit", "now"},
        {std::string("boost\0", 6), "1", "off"},
        {std::string(5000, 'x')},
    };
    for (const Words& words : cases) {
        std::string shown;
        for (const auto& word : words) shown += "[" + word.substr(0, 20) + "]";
        SCOPED_TRACE(shown);
        const ControlReply reply = run(words);
        EXPECT_EQ(reply.status, 1);
        EXPECT_EQ(reply.out, "");
        ASSERT_FALSE(reply.err.empty());
        EXPECT_EQ(reply.err.rfind("brillex: ", 0), 0u);
        EXPECT_EQ(std::count(reply.err.begin(), reply.err.end(), '\n'), 1);
        EXPECT_EQ(reply.err.back(), '\n');
        EXPECT_LT(reply.err.size(), 240u);
    }
    EXPECT_TRUE(state(1).isBoostEnabled.get());
    EXPECT_EQ(state(1).boostLevel.get(), 0.5);
    EXPECT_FALSE(world.sim.application.isTerminated());
}

TEST_F(ControlCommandsTest, BrightnessSetsADisplaysSystemBrightnessAndOnlyDisplaysWithASourceShowIt) {
    world.sim.displayServices.setSource(2, sim::SimDisplayServices::Source::none);
    world.sim.loop.runPending();
    EXPECT_EQ(run({"brightness", "1", "0.25"}).status, 0);
    EXPECT_EQ(world.sim.displayServices.brightness(1), 0.25f);
    EXPECT_EQ(run({"brightness", "1", "7"}).status, 0);  // brought into range, as the slider's values are
    EXPECT_EQ(world.sim.displayServices.brightness(1), 1.0f);
    EXPECT_EQ(run({"brightness", "1", "0.5"}).status, 0);
    const std::string out = run({"status"}).out;
    EXPECT_NE(out.find(" nits=500 brightness=0.5\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\"Pro Display XDR\" builtin=false xdr=true boost=off level=0.0 percent=0 nits=500\n"),
              std::string::npos)
        << out;

    const std::vector<std::pair<Words, std::string>> refused = {
        {{"brightness", "2", "0.5"}, "brillex: display 2 has no brightness control\n"},
        {{"brightness", "9", "0.5"}, "brillex: unknown display: 9\n"},
        {{"brightness", "x", "0.5"}, "brillex: not a display id: \"x\"\n"},
        {{"brightness", "1", "nan"}, "brillex: not a brightness (a number from 0 to 1): \"nan\"\n"},
        {{"brightness", "1"}, "brillex: usage: brillex ctl status | boost ID|all on|off | level ID X | brightness ID X | "
                              "up | down | quit\n"},
    };
    for (const auto& [words, err] : refused) {
        const ControlReply reply = run(words);
        EXPECT_EQ(reply.status, 1);
        EXPECT_EQ(reply.err, err);
    }
    world.sim.displayServices.setWriteStatus(1, 5);
    LogCapture log;
    EXPECT_EQ(run({"brightness", "1", "0.3"}).err, "brillex: display 1 did not take the brightness\n");
    EXPECT_TRUE(log.contains("SystemBrightness: SetBrightness failed for display 1, error: 5"));
    EXPECT_EQ(world.sim.displayServices.brightness(1), 0.5f);
}

TEST_F(ControlCommandsTest, DisplaysThatAreUnknownOrCannotBeBoostedAreRefused) {
    world.addScreen(3, "DELL U2720Q", 2.0, false);
    world.sim.screens.notifyScreenChange();
    world.sim.loop.runPending();

    EXPECT_EQ(run({"boost", "7", "on"}).err, "brillex: unknown display: 7\n");
    EXPECT_EQ(run({"level", "7", "0.5"}).err, "brillex: unknown display: 7\n");
    EXPECT_EQ(run({"level", "x7", "0.5"}).err, "brillex: not a display id: \"x7\"\n");
    EXPECT_EQ(run({"level", "1", "0.5x"}).err, "brillex: not a level (a number from 0 to 1): \"0.5x\"\n");

    const ControlReply other = run({"boost", "3", "on"});
    EXPECT_EQ(other.status, 1);
    EXPECT_EQ(other.err, "brillex: display 3 cannot be boosted\n");
    EXPECT_FALSE(state(3).isBoostEnabled.get());
    EXPECT_EQ(run({"boost", "3", "off"}).status, 0);

    EXPECT_EQ(run({"boost", "all", "on"}).status, 0);
    EXPECT_TRUE(state(1).isBoostEnabled.get());
    EXPECT_FALSE(state(3).isBoostEnabled.get());
}

TEST_F(ControlCommandsTest, WithoutAnyBoostableDisplayAllOnFailsAndAllOffSucceeds) {
    AppWorld desktop;
    desktop.sim.screens.remove(1);
    desktop.sim.screens.remove(2);
    desktop.launch();
    ControlCommands bare(desktop.delegate(), desktop.models(), [this]() -> KeyboardBrightness& { return *keyboard; },
                         ControlCommands::Platform{desktop.sim.application, desktop.sim.loop, desktop.sim.powerSources});
    EXPECT_EQ(bare.run({"boost", "all", "on"}).err, "brillex: no display can be boosted\n");
    EXPECT_EQ(bare.run({"boost", "all", "off"}).status, 0);
}

TEST_F(ControlCommandsTest, OnBatteryWithOnlyWhileChargingTheBoostCannotBeSwitchedOnButCanBeSwitchedOff) {
    world.boost(1, true, 0.5);
    world.settings().setOnlyWhileCharging(true);
    world.power(500, false);
    world.poll();
    world.power(500, true);
    world.poll(); // the rule switches every boost off

    const ControlReply reply = run({"boost", "1", "on"});
    EXPECT_EQ(reply.status, 1);
    EXPECT_EQ(reply.err, "brillex: the boost is allowed only while charging\n");
    EXPECT_EQ(run({"boost", "all", "on"}).status, 1);
    EXPECT_FALSE(state(1).isBoostEnabled.get());
    EXPECT_EQ(run({"boost", "all", "off"}).status, 0);
}

TEST_F(ControlCommandsTest, UpAndDownAreTheBrightnessKeysWithTheirOnScreenDisplay) {
    // The simulated backlight is at its top, so up steps the main display's boost.
    world.boost(1, true, 0.5);
    EXPECT_EQ(run({"up"}).status, 0);
    EXPECT_DOUBLE_EQ(state(1).boostLevel.get(), 0.55);
    ASSERT_NE(world.sim.osdPanel.current(), nullptr);
    EXPECT_TRUE(world.sim.osdPanel.current()->visible);
    ASSERT_TRUE(world.sim.osdPanel.current()->content.has_value());
    EXPECT_TRUE(world.sim.osdPanel.current()->content->isXDR);

    for (int i = 0; i < 20 && state(1).boostLevel.get() > 0.0; ++i) run({"down"});
    EXPECT_EQ(state(1).boostLevel.get(), 0.0);
    run({"down"});
    EXPECT_TRUE(state(1).isBoostEnabled.get()); // the keys never switch a boost off
    EXPECT_FLOAT_EQ(world.systemBrightness().mainDisplayBrightness(), 1.0f - 0.0625f);
    EXPECT_FALSE(world.sim.osdPanel.current()->content->isXDR);
}

TEST_F(ControlCommandsTest, QuitAnswersFirstThenShutsDownRestoringEveryTable) {
    world.boost(1, true, 0.75);
    world.boost(2, true, 1.0);
    ASSERT_NE(world.sim.gamma.table(1).red, sim::SimGamma::identity().red);

    const ControlReply reply = commands->run({"quit"});
    EXPECT_EQ(reply.status, 0);
    EXPECT_FALSE(world.sim.application.isTerminated()); // the answer goes out first
    EXPECT_TRUE(state(1).isBoostEnabled.get());

    world.sim.loop.runPending();
    EXPECT_TRUE(world.sim.application.isTerminated());
    EXPECT_EQ(world.sim.gamma.table(1).red, sim::SimGamma::identity().red);
    EXPECT_EQ(world.sim.gamma.table(2).blue, sim::SimGamma::identity().blue);
}

TEST_F(ControlCommandsTest, ASecondStartOpensThePopoverAndNeverClosesIt) {
    LogCapture log;
    commands->showPopover();
    const auto* popover = world.sim.popovers.popover();
    EXPECT_TRUE(popover->shown);
    const int activations = world.sim.application.activations();

    commands->showPopover();
    EXPECT_TRUE(popover->shown);
    EXPECT_EQ(world.sim.application.activations(), activations + 1);
    EXPECT_TRUE(log.contains("Another start of the program asked for the popover"));
}

} // namespace
