// The OSD's drawing: its spring, its size, what it paints for each presentation.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "ui/osd/BrightnessOSDWidget.h"
#include "ui/osd/SpringCurve.h"
#include "ui/kit/Theme.h"

namespace brillex {
namespace {

TEST(SpringCurve, RisesFromZeroOvershootsOnceAndSettles) {
    EXPECT_EQ(springPosition(0.0, 0.3, 0.7), 0.0);
    EXPECT_EQ(springPosition(-1.0, 0.3, 0.7), 0.0);
    double peak = 0.0;
    for (double t = 0.0; t < 1.0; t += 0.001) peak = std::max(peak, springPosition(t, 0.3, 0.7));
    // A damping fraction of 0.7 overshoots by e^(-0.7 pi / sqrt(1 - 0.49)), about 4.6 %.
    EXPECT_NEAR(peak, 1.046, 0.002);
    const double settle = springSettlingTime(0.3, 0.7);
    EXPECT_GT(settle, 0.3);
    EXPECT_LT(settle, 0.6);
    for (double t = settle; t < settle + 1.0; t += 0.01) EXPECT_NEAR(springPosition(t, 0.3, 0.7), 1.0, 0.001);
}

TEST(SpringCurve, CriticalDampingNeverOvershootsAndBadInputStaysFinite) {
    for (double t = 0.0; t < 2.0; t += 0.01) EXPECT_LE(springPosition(t, 0.3, 1.0), 1.0);
    EXPECT_NEAR(springPosition(springSettlingTime(0.3, 1.0), 0.3, 1.0), 1.0, 0.001);
    EXPECT_EQ(springPosition(0.1, 0.0, 0.7), 1.0);
    EXPECT_EQ(springPosition(std::nan(""), 0.3, 0.7), 0.0);
    EXPECT_EQ(springSettlingTime(std::nan(""), 0.7), 0.0);
}

// The widget as it looks once the entrance has settled.
QImage settled(BrightnessOSDWidget& widget) {
    widget.resize(widget.sizeHint());
    widget.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !widget.isEntering(); }, 2000));
    QImage image = widget.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    widget.hide();
    return image;
}

TEST(BrightnessOSDWidget, Is302PointsWideAndAsTallAsItsRow) {
    BrightnessOSDWidget widget({0.5, false});
    EXPECT_EQ(widget.sizeHint().width(), 302);
    // 16 points above and below a row at least as tall as the 24-point sun.
    EXPECT_GE(widget.sizeHint().height(), 56);
    EXPECT_LE(widget.sizeHint().height(), 64);
}

TEST(BrightnessOSDWidget, SpringsInOnFirstShowOnlyAndKeepsItAcrossContentChanges) {
    BrightnessOSDWidget widget({0.25, false});
    EXPECT_EQ(widget.appearance(), 0.0);
    EXPECT_FALSE(widget.isEntering());
    widget.resize(widget.sizeHint());
    widget.show();
    EXPECT_TRUE(widget.isEntering());
    // Key presses while it comes in change the content, not the animation.
    widget.setView({0.3125, false});
    EXPECT_TRUE(widget.isEntering());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !widget.isEntering(); }, 2000));
    EXPECT_EQ(widget.appearance(), 1.0);
    widget.hide();
    widget.setView({0.375, true});
    widget.show();
    EXPECT_FALSE(widget.isEntering());
    EXPECT_EQ(widget.appearance(), 1.0);
    EXPECT_EQ(widget.view(), (BrightnessOSDView{0.375, true}));
}

TEST(BrightnessOSDWidget, PaintsAHalfBarInOrangeForTheBoostAndAnEmptyOneAtZero) {
    BrightnessOSDWidget xdr({0.5, true});
    const QImage boosted = settled(xdr);
    const int barY = boosted.height() / 2;
    // The bar starts at 20 + 24 + 14 = 58 points and is 160 long.
    const QColor start = boosted.pixelColor(62, barY);
    const QColor orange = Theme::color(SystemColor::orange);
    EXPECT_NEAR(start.red(), orange.red(), 40);
    EXPECT_NEAR(start.green(), orange.green(), 40);
    EXPECT_LT(start.blue(), 80);
    // Beyond the fill: the faint white track on the dark plate.
    const QColor track = boosted.pixelColor(58 + 120, barY);
    EXPECT_LT(track.red(), 80);
    EXPECT_NEAR(track.red(), track.blue(), 8);

    BrightnessOSDWidget empty({0.0, false});
    const QImage plain = settled(empty);
    EXPECT_NEAR(plain.pixelColor(62, barY).red(), track.red(), 8);
    // The corners outside the rounded plate stay transparent.
    EXPECT_EQ(plain.pixelColor(0, 0).alpha(), 0);
    EXPECT_GT(plain.pixelColor(plain.width() / 2, 2).alpha(), 200);
}

TEST(BrightnessOSDWidget, FullPlainBarIsWhiteToTheEnd) {
    BrightnessOSDWidget widget({1.0, false});
    const QImage image = settled(widget);
    const QColor end = image.pixelColor(58 + 155, image.height() / 2);
    EXPECT_GT(end.red(), 230);
    EXPECT_GT(end.blue(), 230);
}

TEST(BrightnessOSDWidget, LevelsOutsideTheBarDrawInsideIt) {
    for (double level : {-3.0, 7.0, std::nan("")}) {
        BrightnessOSDWidget widget({level, true});
        const QImage image = settled(widget);
        EXPECT_FALSE(image.isNull());
    }
}

} // namespace
} // namespace brillex
