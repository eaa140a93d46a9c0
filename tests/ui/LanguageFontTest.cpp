// Han characters are drawn in the face made for the interface language, and
// the widgets on show change face as soon as the language changes.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "PopoverWorld.h"
#include "base/Log.h"
#include "ui/kit/Theme.h"
#include "ui/screens/FontCoverage.h"
#include "ui/screens/MainView.h"
#include "ui/kit/TextLabel.h"
#include "ui/screens/XDRBoostSection.h"

namespace brillex::test {
namespace {

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
    for (const char* family : {"Noto Sans CJK SC", "Noto Sans CJK JP", "Noto Sans CJK KR"})
        if (!QFontDatabase::families().contains(family)) GTEST_SKIP() << family << " is not installed (fonts-noto-cjk)";

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

} // namespace
} // namespace brillex::test
