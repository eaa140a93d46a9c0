// Han characters are drawn in the face made for the interface language, and
// the widgets on show change face as soon as the language changes; Latin
// letters and figures stay in the application's face in every language.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QVBoxLayout>

#include "PopoverWorld.h"
#include "base/Log.h"
#include "ui/kit/Theme.h"
#include "ui/screens/FontCoverage.h"
#include "ui/screens/BatteryIndicator.h"
#include "ui/screens/MainView.h"
#include "ui/kit/TextLabel.h"
#include "ui/screens/XDRBoostSection.h"

namespace brillex::test {
namespace {

bool cjkFacesInstalled() {
    for (const char* family : {"Noto Sans CJK SC", "Noto Sans CJK JP", "Noto Sans CJK KR"})
        if (!QFontDatabase::families().contains(family)) return false;
    return true;
}

// The family of the face that draws the last character of a label's text.
QString faceOfLastCharacter(const QLabel& label) {
    QTextLayout layout(label.text(), label.font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const auto runs = layout.glyphRuns(int(label.text().size()) - 1, 1);
    return runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
}

TEST(LanguageFontTest, EachCjkLanguageGetsItsOwnFaceAtOnce) {
    if (!cjkFacesInstalled()) GTEST_SKIP() << "fonts-noto-cjk is not installed";

    PopoverWorld world;
    ContentView view(world.environment());
    view.show();
    world.settle();
    const TextLabel* title = static_cast<MainView*>(view.screen())->xdrBoost()->title();

    const struct {
        const char* code;
        const char* text;
        const char* face;
    } languages[] = {{"zh-Hans", "XDR增强", "Noto Sans CJK SC"},
                     {"ja", "XDRブースト", "Noto Sans CJK JP"},
                     {"ko", "XDR 부스트", "Noto Sans CJK KR"},
                     {"zh-Hans", "XDR增强", "Noto Sans CJK SC"}};
    for (const auto& language : languages) {
        world.loc.setCurrentLanguage(language.code);
        world.settle();
        // The same label, redrawn: nothing was rebuilt to change its face.
        ASSERT_EQ(static_cast<MainView*>(view.screen())->xdrBoost()->title(), title);
        ASSERT_EQ(title->text(), QString::fromUtf8(language.text));
        EXPECT_EQ(faceOfLastCharacter(*title), language.face) << language.code;
        EXPECT_EQ(Theme::languageFamily(language.code), language.face);
    }

    world.loc.setCurrentLanguage("fr");
    world.settle();
    EXPECT_EQ(faceOfLastCharacter(*title), QFontInfo(QApplication::font()).family());
}

TEST(LanguageFontTest, ALanguageNoInstalledFontCoversIsLoggedOnceAndOnlyThen) {
    if (!QFontDatabase::families().contains("DejaVu Sans")) GTEST_SKIP() << "DejaVu Sans is not installed";
    QFont latinOnly;
    latinOnly.setFamilies({"DejaVu Sans"});
    ASSERT_FALSE(FontCoverage::covers(latinOnly, QString::fromUtf8("日本語")));
    EXPECT_TRUE(FontCoverage::covers(latinOnly, QString::fromUtf8("Helligkeit, luminosité… 100 %")));

    PopoverWorld world;
    LogCapture log;
    FontCoverage coverage;
    coverage.check(world.loc, "de", latinOnly);
    coverage.check(world.loc, "ja", latinOnly);
    coverage.check(world.loc, "ja", latinOnly);
    EXPECT_EQ(log.lines(), std::vector<std::string>{
                               "Fonts: no installed font covers 日本語 (ja); its texts show as empty boxes until one is "
                               "installed, e.g. fonts-noto-cjk"});

    // The family list the views get draws every CJK language once its fonts are installed.
    for (const char* code : {"zh-Hans", "ja", "ko"}) {
        const QFont font = Theme::languageFont(code).resolve(QApplication::font());
        if (font.families().size() < 2) continue;
        log.clear();
        FontCoverage().check(world.loc, code, font);
        EXPECT_EQ(log.lines(), std::vector<std::string>{}) << code;
    }
}

// The popover as the status item shows it: as tall as its screen.
struct SizedPopover {
    explicit SizedPopover(PopoverWorld& world) : root(world.environment()) {
        auto* layout = new QVBoxLayout(&window);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(&root);
        window.show();
    }
    QWidget window;
    ContentView root;
};

// An alias such as "Sans Serif" in the family list would leave the CJK face
// first, and every line of the screen in its taller metrics.
TEST(LanguageFontTest, ScreensAreAsTallInTheCjkLanguagesAsInEnglish) {
    if (!cjkFacesInstalled()) GTEST_SKIP() << "fonts-noto-cjk is not installed";
    PopoverWorld world;
    world.sim.accessibility.setTrusted(false);
    world.settings.setBrightnessKeyEnabled(true);  // the settings screen with its accessibility prompt
    SizedPopover popover(world);

    const auto heights = [&](const char* code) {
        world.loc.setCurrentLanguage(code);
        std::vector<int> result;
        for (AppScreen screen : {AppScreen::main, AppScreen::settings, AppScreen::about}) {
            popover.root.setCurrentScreen(screen);
            world.settle();
            result.push_back(popover.window.height());
        }
        popover.root.setCurrentScreen(AppScreen::main);
        world.settle();
        return result;
    };
    const std::vector<int> english = heights("en");
    for (const char* code : {"ja", "ko", "zh-Hans"}) {
        const std::vector<int> cjk = heights(code);
        for (std::size_t i = 0; i < english.size(); ++i)
            EXPECT_NEAR(cjk[i], english[i], 4) << code << ", screen " << i;
        // Figures are drawn in the application's face, not the CJK one.
        const TextLabel* charge = static_cast<MainView*>(popover.root.screen())->battery()->label();
        EXPECT_EQ(faceOfLastCharacter(*charge), QFontInfo(QApplication::font()).family()) << code;
    }
}

} // namespace
} // namespace brillex::test
