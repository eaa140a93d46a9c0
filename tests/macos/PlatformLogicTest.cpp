#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "controls/DisplayBrightnessState.h"
#include "platform/macos/services/DynamicLibraries.h"
#include "platform/macos/services/MessageSignatures.h"
#include "platform/macos/services/PowerSourceEntries.h"

using namespace brillex;
using namespace brillex::macos;

namespace {

// Opens the test library once; its functions are looked up as the core does.
struct LibraryLoaderTest : ::testing::Test {
    DynamicLibraries loader;
    const NativeLibrary* library = loader.open(BRILLEX_TEST_SYMBOLS).library;
};

} // namespace

TEST(PowerSourceEntriesTest, KeepsKnownKindsAndLeavesOthersOut) {
    const auto description = powerSourceDescriptionOf({
        {"Current Capacity", std::int64_t{37}},
        {"Max Capacity", std::int64_t{80}},
        {"Power Source State", std::string("Battery Power")},
        {"Is Charging", false},
        {"Voltage", 12.5},
        {"Hardware Serial Number", OtherPropertyValue{"<data>"}},
    });
    ASSERT_TRUE(description);
    EXPECT_EQ(description->at("Current Capacity"), PowerSourceValue(std::int64_t{37}));
    EXPECT_EQ(description->at("Max Capacity"), PowerSourceValue(std::int64_t{80}));
    EXPECT_EQ(description->at("Power Source State"), PowerSourceValue(std::string("Battery Power")));
    EXPECT_EQ(description->at("Is Charging"), PowerSourceValue(false));
    EXPECT_EQ(description->at("Voltage"), PowerSourceValue(12.5));
    EXPECT_FALSE(description->contains("Hardware Serial Number"));
    EXPECT_EQ(description->size(), 5u);
}

TEST(PowerSourceEntriesTest, AKeyThatIsNotATextMakesNoDescription) {
    EXPECT_FALSE(powerSourceDescriptionOf({{"Is Charging", true}, {std::nullopt, std::int64_t{1}}}));
    EXPECT_EQ(powerSourceDescriptionOf({}), PowerSourceDescription{});
}

TEST_F(LibraryLoaderTest, EachSignatureOfTheCoreCallsTheSymbolWithItsTypes) {
    ASSERT_NE(library, nullptr);
    const auto set = library->function<DisplayBrightnessState::SetSignature>("DisplayServicesSetBrightness");
    const auto get = library->function<DisplayBrightnessState::GetSignature>("DisplayServicesGetBrightness");
    const auto theme = library->function<void(bool)>("SLSSetAppearanceThemeLegacy");
    ASSERT_TRUE(set && get && theme);
    EXPECT_EQ((*set)(7, 0.6875f), 0);
    float value = 0.0f;
    EXPECT_EQ((*get)(7, &value), 0);
    EXPECT_EQ(value, 0.6875f);
    EXPECT_EQ((*get)(8, &value), -1);
    (*theme)(true);
    auto* lastTheme = reinterpret_cast<bool (*)()>(dlsym(dlopen(BRILLEX_TEST_SYMBOLS, RTLD_NOW), "brillexTestLastTheme"));
    ASSERT_NE(lastTheme, nullptr);
    EXPECT_TRUE(lastTheme());
    EXPECT_FALSE(library->function<bool()>("brillexTestLastTheme")) << "a signature the core never asks for finds nothing";
}

TEST_F(LibraryLoaderTest, MissingSymbolsAndOtherSignaturesFindNothing) {
    ASSERT_NE(library, nullptr);
    EXPECT_FALSE(library->function<DisplayBrightnessState::GetSignature>("DisplayServicesGetBrightnessX"));
    EXPECT_FALSE(library->function<std::int32_t(std::uint32_t, double)>("DisplayServicesSetBrightness"));
    EXPECT_FALSE(library->function<void(int)>("SLSSetAppearanceThemeLegacy"));
    EXPECT_EQ(loader.open(BRILLEX_TEST_SYMBOLS).library, library) << "one library per handle";
}

TEST_F(LibraryLoaderTest, AFailedOpenGivesTheSystemsText) {
    const auto missing = loader.open("/nonexistent/Brillex.framework/Brillex");
    EXPECT_EQ(missing.library, nullptr);
    EXPECT_NE(missing.error.find("/nonexistent/Brillex.framework/Brillex"), std::string::npos) << missing.error;
}

TEST(MessageSignaturesTest, EachArgumentListSelectsTheCallOfItsTypes) {
    struct Case {
        MessageArguments arguments;
        const std::type_info* selected; // null: no call
    };
    const std::vector<Case> cases{
        {{}, &typeid(void())},
        {{true}, &typeid(void(bool))},
        {{std::uint64_t{5}}, &typeid(void(std::uint64_t))},
        {{0.5f, std::uint64_t{5}}, &typeid(void(float, std::uint64_t))},
        {{0.5f, std::int32_t{0}, true, std::uint64_t{5}}, &typeid(void(float, std::int32_t, bool, std::uint64_t))},
        {{std::int32_t{1}}, nullptr},
        {{std::uint64_t{5}, 0.5f}, nullptr},
        {{0.5f, std::int32_t{0}, std::int32_t{1}, std::uint64_t{5}}, nullptr},
        {{true, true, true, true, true}, nullptr},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::type_info* selected = nullptr;
        const bool sent = dispatchMessage(cases[i].arguments, [&]<class... A>(A...) { selected = &typeid(void(A...)); });
        EXPECT_EQ(sent, cases[i].selected != nullptr) << "case " << i;
        if (cases[i].selected && selected) {
            EXPECT_EQ(*selected, *cases[i].selected) << "case " << i;
        }
    }
}

TEST(MessageSignaturesTest, ValuesArriveInOrder) {
    float level = 0.0f;
    std::int32_t speed = -1;
    bool commit = false;
    std::uint64_t id = 0;
    const bool sent = dispatchMessage({0.75f, std::int32_t{0}, true, std::uint64_t{1ull << 40}},
                                      [&]<class... A>(A... values) {
                                          if constexpr (sizeof...(A) == 4) std::tie(level, speed, commit, id) = std::tie(values...);
                                      });
    EXPECT_TRUE(sent);
    EXPECT_EQ(level, 0.75f);
    EXPECT_EQ(speed, 0);
    EXPECT_TRUE(commit);
    EXPECT_EQ(id, 1ull << 40);
}
