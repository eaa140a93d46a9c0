#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "controls/KeyboardBrightness.h"
#include "platform/sim/SimComputer.h"

using namespace brillex;

namespace {

struct KeyboardBrightnessTest : ::testing::Test {
    sim::SimComputer sim;
    sim::SimKeyboardClient& client = sim.keyboardClient;
    LogCapture log;

    std::unique_ptr<KeyboardBrightness> create() {
        auto keyboard = std::make_unique<KeyboardBrightness>(sim.loop, sim.objects);
        sim.loop.runPending();
        return keyboard;
    }
    std::vector<std::string> lines(std::initializer_list<const char*> texts) {
        std::vector<std::string> result;
        for (const char* text : texts) result.push_back(std::string("KeyboardBrightness: ") + text);
        return result;
    }
};

} // namespace

TEST_F(KeyboardBrightnessTest, CreationFindsTheFirstIdAndReadsTheLevel) {
    client.ids = std::vector<std::uint64_t>{7, 9};
    client.level = 0.25f;
    auto keyboard = create();

    EXPECT_EQ(log.lines(), lines({"Initializing...", "KeyboardBrightnessClient initialized", "Found keyboard ID: 7",
                                  "isAvailable = true", "Read brightness = 0.25"}));
    EXPECT_TRUE(keyboard->isAvailable);
    EXPECT_EQ(keyboard->keyboardID(), 7u);
    EXPECT_EQ(keyboard->brightness, 0.25f);
}

TEST_F(KeyboardBrightnessTest, LargestIdIsKeptWholeAndPassedToEveryCall) {
    const auto largest = std::numeric_limits<std::uint64_t>::max();
    client.ids = std::vector<std::uint64_t>{largest};
    auto keyboard = create();
    keyboard->setBrightness(0.5f);

    EXPECT_TRUE(log.contains("KeyboardBrightness: Found keyboard ID: 18446744073709551615"));
    ASSERT_EQ(client.requests.size(), 1u);
    EXPECT_EQ(client.requests[0].keyboardID, largest);
}

TEST_F(KeyboardBrightnessTest, ReadLogsTheLevelAsReadAndPublishesItClampedOnALaterTurn) {
    auto keyboard = create();
    client.level = 1.2f;
    log.clear();

    keyboard->readBrightness();
    EXPECT_EQ(log.lines(), lines({"Read brightness = 1.2"}));
    EXPECT_EQ(keyboard->brightness, 0.5f);  // not before the posted task runs
    sim.loop.runPending();
    EXPECT_EQ(keyboard->brightness, 1.0f);

    client.level = -0.3f;
    keyboard->readBrightness();
    sim.loop.runPending();
    EXPECT_TRUE(log.contains("KeyboardBrightness: Read brightness = -0.3"));
    EXPECT_EQ(keyboard->brightness, 0.0f);
}

TEST_F(KeyboardBrightnessTest, ReadThatIsNotANumberKeepsTheShownLevel) {
    auto keyboard = create();
    client.level = std::numeric_limits<float>::quiet_NaN();
    keyboard->readBrightness();
    sim.loop.runPending();

    EXPECT_TRUE(log.contains("KeyboardBrightness: Read brightness = nan"));
    EXPECT_EQ(keyboard->brightness, 0.5f);
}

TEST_F(KeyboardBrightnessTest, SetClampsWhatItSendsAndShows) {
    auto keyboard = create();
    log.clear();

    keyboard->setBrightness(1.3f);
    sim.loop.runPending();
    EXPECT_EQ(client.requests.back().level, 1.0f);
    EXPECT_EQ(keyboard->brightness, 1.0f);

    keyboard->setBrightness(-1.0f);
    sim.loop.runPending();
    EXPECT_EQ(client.requests.back().level, 0.0f);
    EXPECT_EQ(keyboard->brightness, 0.0f);

    keyboard->setBrightness(std::numeric_limits<float>::quiet_NaN());
    sim.loop.runPending();
    EXPECT_EQ(client.requests.back().level, 1.0f);

    keyboard->setBrightness(0.1f);
    sim.loop.runPending();
    EXPECT_FALSE(client.requests.back().faded);
    EXPECT_EQ(client.level, 0.1f);
    EXPECT_EQ(log.lines(), lines({"Set brightness to 1.0, result: true", "Set brightness to 0.0, result: true",
                                  "Set brightness to 1.0, result: true", "Set brightness to 0.1, result: true"}));
}

TEST_F(KeyboardBrightnessTest, WithoutThePlainSetterTheFadeSetterIsUsedWithSpeedZeroAndCommit) {
    client.hasPlainSetter = false;
    auto keyboard = create();
    keyboard->setBrightness(0.75f);

    ASSERT_EQ(client.requests.size(), 1u);
    const auto& request = client.requests[0];
    EXPECT_TRUE(request.faded);
    EXPECT_EQ(request.level, 0.75f);
    EXPECT_EQ(request.fadeSpeed, 0);
    EXPECT_TRUE(request.commit);
    EXPECT_EQ(request.keyboardID, 1u);
    EXPECT_TRUE(log.contains("KeyboardBrightness: Set brightness to 0.75 with commit, result: true"));
}

TEST_F(KeyboardBrightnessTest, RefusedOrImpossibleSetStillMovesTheShownLevel) {
    client.setResult = false;
    auto keyboard = create();
    keyboard->setBrightness(0.8f);
    sim.loop.runPending();
    EXPECT_TRUE(log.contains("KeyboardBrightness: Set brightness to 0.8, result: false"));
    EXPECT_EQ(keyboard->brightness, 0.8f);
    EXPECT_EQ(client.level, 0.5f);

    client.hasPlainSetter = false;
    client.hasFadeSetter = false;
    log.clear();
    keyboard->setBrightness(0.2f);
    sim.loop.runPending();
    EXPECT_EQ(log.lines(), lines({"setBrightness methods not available"}));
    EXPECT_EQ(keyboard->brightness, 0.2f);
}

TEST_F(KeyboardBrightnessTest, EmptyMissingOrZeroIdsLeaveItUnavailableButTheSliderFollows) {
    const std::optional<std::vector<std::uint64_t>> answers[] = {
        std::vector<std::uint64_t>{}, std::nullopt, std::vector<std::uint64_t>{0, 3}};
    for (const auto& ids : answers) {
        client.ids = ids;
        log.clear();
        auto keyboard = create();
        EXPECT_EQ(log.lines(), lines({"Initializing...", "KeyboardBrightnessClient initialized",
                                      "No keyboard IDs found", "isAvailable = false"}));
        EXPECT_FALSE(keyboard->isAvailable);
        EXPECT_EQ(keyboard->keyboardID(), 0u);

        log.clear();
        keyboard->readBrightness();
        keyboard->setBrightness(0.3f);
        sim.loop.runPending();
        EXPECT_EQ(log.lines(), lines({"No client or keyboard ID"}));
        EXPECT_EQ(keyboard->brightness, 0.3f);
        EXPECT_TRUE(client.requests.empty());
    }
}

TEST_F(KeyboardBrightnessTest, MissingClassOrIdSelectorStopsSetup) {
    client.exists = false;
    create();
    EXPECT_EQ(log.lines(), lines({"Initializing...", "KeyboardBrightnessClient class not found", "isAvailable = false"}));

    client.exists = true;
    client.isObjectClass = false;
    log.clear();
    create();
    EXPECT_TRUE(log.contains("KeyboardBrightness: KeyboardBrightnessClient class not found"));

    client.isObjectClass = true;
    client.hasIDsSelector = false;
    log.clear();
    auto keyboard = create();
    EXPECT_EQ(log.lines(), lines({"Initializing...", "KeyboardBrightnessClient initialized",
                                  "copyKeyboardBacklightIDs not available", "isAvailable = false"}));
    log.clear();
    keyboard->setBrightness(0.4f);
    EXPECT_EQ(log.lines(), lines({"No client or keyboard ID"}));
}

TEST_F(KeyboardBrightnessTest, NilInstanceRespondsToNothing) {
    client.initReturnsNil = true;
    auto keyboard = create();
    EXPECT_TRUE(log.contains("KeyboardBrightness: copyKeyboardBacklightIDs not available"));
    EXPECT_FALSE(keyboard->isAvailable);
}

TEST_F(KeyboardBrightnessTest, WithoutGetterReadsAreSilent) {
    client.hasGetter = false;
    auto keyboard = create();
    EXPECT_TRUE(keyboard->isAvailable);
    EXPECT_FALSE(log.contains("KeyboardBrightness: Read brightness = 0.5"));
    log.clear();
    keyboard->readBrightness();
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(KeyboardBrightnessTest, TasksQueuedForADestroyedObjectDoNothing) {
    auto keyboard = std::make_unique<KeyboardBrightness>(sim.loop, sim.objects);
    keyboard->setBrightness(0.9f);
    keyboard.reset();
    sim.loop.runPending();  // the sanitizer build catches a task that touches it
    EXPECT_EQ(sim.loop.pendingTasks(), 0u);
}
