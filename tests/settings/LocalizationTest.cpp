#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "settings/Localization.h"
#include "settings/MemoryStore.h"

using namespace brillex;

namespace {

struct LocalizationTest : ::testing::Test {
    ManualLoop loop;
    MemoryStore store{loop};
    Localization localization{store};
};

} // namespace

TEST_F(LocalizationTest, WithoutStoredLanguageEveryKeyIsEnglish) {
    EXPECT_EQ(localization.currentLanguage(), "en");
    for (const auto& [key, text] : localization.strings().at("en")) EXPECT_EQ(localization.localized(key), text);
    EXPECT_FALSE(store.get("appLanguage"));
}

TEST_F(LocalizationTest, ChosenLanguageIsStoredAndOutlivesTheObject) {
    localization.setCurrentLanguage("ko");
    EXPECT_EQ(store.get("appLanguage"), SettingValue(std::string("ko")));
    EXPECT_EQ(localization.localized("xdr_boost"), "XDR 부스트");

    Localization afterRestart(store);
    EXPECT_EQ(afterRestart.currentLanguage(), "ko");
    EXPECT_EQ(afterRestart.localized("xdr_boost"), "XDR 부스트");
}

TEST_F(LocalizationTest, ReadsTheStoreAtEveryLookup) {
    store.set("appLanguage", std::string("de"));
    EXPECT_EQ(localization.localized("back"), "Zurück");
    store.remove("appLanguage");
    EXPECT_EQ(localization.localized("back"), "Back");
}

TEST_F(LocalizationTest, UnknownLanguageFallsBackToEnglishAndUnknownKeyToItself) {
    localization.setCurrentLanguage("pt-BR");
    EXPECT_EQ(localization.currentLanguage(), "pt-BR");
    for (const auto& [key, text] : localization.strings().at("en")) EXPECT_EQ(localization.localized(key), text);
    EXPECT_EQ(localization.localized("no_such_key"), "no_such_key");
    EXPECT_EQ(localization.localized(""), "");
    localization.setCurrentLanguage("fr");
    EXPECT_EQ(localization.localized("no_such_key"), "no_such_key");
}

TEST_F(LocalizationTest, LanguageOfAnotherTypeReadsAsEnglishAndStaysStored) {
    LogCapture log;
    store.set("appLanguage", 7LL);
    EXPECT_EQ(localization.currentLanguage(), "en");
    EXPECT_EQ(localization.localized("back"), "Back");
    EXPECT_EQ(store.get("appLanguage"), SettingValue(7LL));
    EXPECT_EQ(log.lines(),
              std::vector<std::string>{"Setting \"appLanguage\" holds an integer instead of a text; using the default \"en\""});
}

TEST_F(LocalizationTest, AnnouncesAfterTheStoreWriteEvenWithNothingElseChanged) {
    std::vector<std::string> seen;
    auto subscription = localization.objectWillChange().connect([&] { seen.push_back(localization.currentLanguage()); });
    localization.setCurrentLanguage("ja");
    localization.setCurrentLanguage("ja");
    EXPECT_EQ(seen, (std::vector<std::string>{"ja", "ja"}));
}
