// Han characters are drawn in the face made for the interface language, and
// the widgets on show change face as soon as the language changes.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include "PopoverWorld.h"
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

} // namespace
} // namespace brillex::test
