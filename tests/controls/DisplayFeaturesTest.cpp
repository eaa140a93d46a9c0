#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/Log.h"
#include "controls/DisplayFeatures.h"
#include "platform/sim/SimComputer.h"

using namespace brillex;

namespace {

struct DisplayFeaturesTest : ::testing::Test {
    sim::SimComputer sim;
    LogCapture log;

    std::unique_ptr<DisplayFeatures> create() {
        auto features = std::make_unique<DisplayFeatures>(sim.loop, sim.objects, sim.libraries, sim.appearance);
        sim.loop.runPending();
        return features;
    }
    std::vector<std::string> lines(std::initializer_list<const char*> texts) {
        std::vector<std::string> result;
        for (const char* text : texts) result.push_back(std::string("DisplayFeatures: ") + text);
        return result;
    }
};

} // namespace

TEST_F(DisplayFeaturesTest, CreationSetsUpBothClientsAndReadsEveryFeature) {
    sim.blueLightClient.enabled = true;
    sim.appearance.setName(sim::SimAppearance::dark);
    sim.loop.runPending();
    auto features = create();

    EXPECT_EQ(log.lines(), lines({"CBBlueLightClient initialized", "True Tone supported = true", "Night Shift = true",
                                  "True Tone = false"}));
    EXPECT_TRUE(features->isNightShiftAvailable);
    EXPECT_TRUE(features->isNightShiftEnabled);
    EXPECT_TRUE(features->isTrueToneAvailable);
    EXPECT_FALSE(features->isTrueToneEnabled);
    EXPECT_TRUE(features->isDarkModeEnabled);
}

TEST_F(DisplayFeaturesTest, ReadsArePublishedOnALaterTurn) {
    auto features = create();
    sim.trueToneClient.enabled = true;
    features->refresh();
    EXPECT_FALSE(features->isTrueToneEnabled);
    sim.loop.runPending();
    EXPECT_TRUE(features->isTrueToneEnabled);
}

TEST_F(DisplayFeaturesTest, WithoutBlueLightClientNightShiftStaysUnavailableAndUnchanged) {
    sim.blueLightClient.exists = false;
    auto features = create();
    EXPECT_EQ(log.lines().front(), "DisplayFeatures: CBBlueLightClient not found");

    log.clear();
    features->setNightShift(true);
    features->refresh();
    sim.loop.runPending();
    EXPECT_FALSE(features->isNightShiftAvailable);
    EXPECT_FALSE(features->isNightShiftEnabled);
    EXPECT_FALSE(sim.blueLightClient.enabled);
    EXPECT_EQ(log.lines(), lines({"True Tone = false"}));
}

TEST_F(DisplayFeaturesTest, NilBlueLightInstanceIsSilentlyUnavailable) {
    sim.blueLightClient.initReturnsNil = true;
    auto features = create();
    EXPECT_FALSE(features->isNightShiftAvailable);
    EXPECT_EQ(log.lines(), lines({"True Tone supported = true", "True Tone = false"}));
}

TEST_F(DisplayFeaturesTest, SwitchingNightShiftAndTrueToneReachesTheClientsAndThePublishedValues) {
    auto features = create();
    log.clear();
    features->setNightShift(true);
    features->setTrueTone(true);
    EXPECT_FALSE(features->isNightShiftEnabled);
    sim.loop.runPending();

    EXPECT_TRUE(sim.blueLightClient.enabled);
    EXPECT_TRUE(sim.trueToneClient.enabled);
    EXPECT_TRUE(features->isNightShiftEnabled);
    EXPECT_TRUE(features->isTrueToneEnabled);
    EXPECT_EQ(log.lines(), lines({"Night Shift set to true", "True Tone set to true"}));

    sim.trueToneClient.hasSetter = false;
    log.clear();
    features->setTrueTone(false);
    sim.loop.runPending();
    EXPECT_TRUE(features->isTrueToneEnabled);
    EXPECT_TRUE(log.lines().empty());
}

TEST_F(DisplayFeaturesTest, TrueToneAvailabilityFollowsSupportedOrDefaultsToAvailable) {
    sim.trueToneClient.supported = std::nullopt;
    auto withoutSelector = create();
    EXPECT_TRUE(withoutSelector->isTrueToneAvailable);
    EXPECT_TRUE(log.contains("DisplayFeatures: CBTrueToneClient initialized"));

    sim.trueToneClient.supported = false;
    log.clear();
    auto unsupported = create();
    EXPECT_FALSE(unsupported->isTrueToneAvailable);
    EXPECT_EQ(log.lines(), lines({"CBBlueLightClient initialized", "True Tone supported = false", "Night Shift = false",
                                  "True Tone = false"}));
}

TEST_F(DisplayFeaturesTest, RefreshSetsTrueToneUpOnlyWhileThereIsNoClient) {
    sim.trueToneClient.exists = false;
    auto features = create();
    EXPECT_FALSE(features->isTrueToneAvailable);
    EXPECT_EQ(log.lines(), lines({"CBBlueLightClient initialized", "Night Shift = false"}));

    sim.trueToneClient.exists = true;
    log.clear();
    features->refresh();
    features->refresh();
    sim.loop.runPending();
    EXPECT_TRUE(features->isTrueToneAvailable);
    EXPECT_EQ(log.lines(), lines({"Night Shift = false", "True Tone supported = true", "True Tone = false",
                                  "Night Shift = false", "True Tone = false"}));
}

TEST_F(DisplayFeaturesTest, NilTrueToneInstanceIsNotCountedAsAvailable) {
    sim.trueToneClient.initReturnsNil = true;
    sim.trueToneClient.supported = std::nullopt;
    auto features = create();
    EXPECT_FALSE(features->isTrueToneAvailable);
    EXPECT_FALSE(log.contains("DisplayFeatures: CBTrueToneClient initialized"));
}

TEST_F(DisplayFeaturesTest, DarkModeGoesThroughSkyLightAndPublishesTheRequest) {
    auto features = create();
    log.clear();
    features->setDarkMode(true);
    sim.loop.runPending();

    EXPECT_EQ(log.lines(), lines({"Dark mode set to true via SkyLight"}));
    EXPECT_EQ(sim.appearance.functionCalls(), 1);
    EXPECT_EQ(sim.appearance.name(), sim::SimAppearance::dark);
    EXPECT_TRUE(features->isDarkModeEnabled);
}

TEST_F(DisplayFeaturesTest, DarkModeWithoutSkyLightFunctionOrLibraryKeepsItsValue) {
    sim.appearance.setName(sim::SimAppearance::dark);
    auto features = create();
    ASSERT_TRUE(features->isDarkModeEnabled);

    sim.appearance.setFunctionPresent(false);
    log.clear();
    features->setDarkMode(false);
    sim.loop.runPending();
    EXPECT_EQ(log.lines(), lines({"Dark mode - SkyLight method not available"}));
    EXPECT_TRUE(features->isDarkModeEnabled);

    sim.appearance.setFunctionPresent(true);
    sim.libraries.setPresent(sim::SimAppearance::skyLightPath, false);
    log.clear();
    features->setDarkMode(false);
    sim.loop.runPending();
    EXPECT_EQ(log.lines(), lines({"Dark mode - SkyLight method not available"}));
    EXPECT_TRUE(features->isDarkModeEnabled);
    EXPECT_EQ(sim.appearance.functionCalls(), 0);
}

TEST_F(DisplayFeaturesTest, DarkModeIsAvailableExactlyWhenTheAppearanceFunctionIsFoundAtCreation) {
    EXPECT_TRUE(create()->isDarkModeAvailable);
    sim.appearance.setFunctionPresent(false);
    EXPECT_FALSE(create()->isDarkModeAvailable);
    sim.appearance.setFunctionPresent(true);
    sim.libraries.setPresent(sim::SimAppearance::skyLightPath, false);
    EXPECT_FALSE(create()->isDarkModeAvailable);
}

TEST_F(DisplayFeaturesTest, AppearanceChangedOutsideTheProgramIsReadOnTheNotification) {
    auto features = create();
    sim.appearance.setName(sim::SimAppearance::dark);
    EXPECT_FALSE(features->isDarkModeEnabled);
    sim.loop.runPending();
    EXPECT_TRUE(features->isDarkModeEnabled);

    // An appearance that matches neither name counts as light.
    sim.appearance.setName("NSAppearanceNameSomethingElse");
    sim.loop.runPending();
    EXPECT_FALSE(features->isDarkModeEnabled);
}

TEST_F(DisplayFeaturesTest, NotificationAfterTheObjectIsGoneDoesNothing) {
    auto features = std::make_unique<DisplayFeatures>(sim.loop, sim.objects, sim.libraries, sim.appearance);
    features->setNightShift(true);
    sim.appearance.setName(sim::SimAppearance::dark);
    features.reset();
    sim.loop.runPending();  // the sanitizer build catches a task or observer that touches it
    sim.appearance.setName(sim::SimAppearance::light);
    sim.loop.runPending();
    EXPECT_EQ(sim.loop.pendingTasks(), 0u);
}
