// The OSD panel as a Qt window, alone and driven by the BrightnessOSD model.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QTest>

#include "keys/BrightnessOSD.h"
#include "platform/sim/SimScreens.h"
#include "ui/osd/BrightnessOSDWidget.h"
#include "ui/shell/QtMainLoop.h"
#include "ui/osd/QtOsdPanel.h"

namespace brillex {
namespace {

int primaryHeight() { return QGuiApplication::primaryScreen()->geometry().height(); }

TEST(QtOsdPanel, FloatsWithoutFocusActivationOrInput) {
    QtOsdPanel panel(Rect{0, 0, 280, 56});
    const Qt::WindowFlags flags = panel.windowFlags();
    EXPECT_EQ(panel.windowType(), Qt::ToolTip);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::WindowTransparentForInput);
    EXPECT_TRUE(flags & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(panel.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(panel.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_FALSE(panel.isVisible());
    panel.orderFrontRegardless();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_FALSE(panel.isActiveWindow());
    panel.orderOut();
    EXPECT_FALSE(panel.isVisible());
}

TEST(QtOsdPanel, SpeaksBottomLeftCoordinatesAndGrowsFromItsOrigin) {
    QtOsdPanel panel(Rect{0, 0, 280, 56});
    EXPECT_EQ(panel.geometry(), QRect(0, primaryHeight() - 56, 280, 56));
    panel.setFrameOrigin(105.0, 100.0);
    EXPECT_EQ(panel.geometry().topLeft(), QPoint(105, primaryHeight() - 100 - 56));
    panel.setContent({0.5, false});
    panel.setContentSize(panel.fittingSize());
    const Rect frame = panel.frame();
    EXPECT_EQ(frame.x, 105.0);
    EXPECT_EQ(frame.y, 100.0);
    EXPECT_EQ(frame.width, 302.0);
    EXPECT_EQ(frame.height, panel.fittingSize().height);
    EXPECT_EQ(panel.contentWidget()->size(), panel.size());
}

TEST(QtOsdPanel, ContentIsMadeOnceAndThenReplaced) {
    QtOsdPanel panel(Rect{0, 0, 280, 56});
    EXPECT_EQ(panel.fittingSize().width, 0.0);
    panel.setContent({0.5, false});
    BrightnessOSDWidget* first = panel.contentWidget();
    panel.setContent({0.75, true});
    EXPECT_EQ(panel.contentWidget(), first);
    EXPECT_EQ(first->view(), (BrightnessOSDView{0.75, true}));
}

TEST(QtOsdPanel, FadeEndsAtZeroThenCompletesAndTheCompletionMayDropThePanel) {
    auto panel = std::make_unique<QtOsdPanel>(Rect{0, 0, 280, 56});
    panel->setContent({0.5, false});
    panel->orderFrontRegardless();
    QPointer<QtOsdPanel> watch = panel.get();
    bool completed = false;
    QElapsedTimer clock;
    clock.start();
    panel->fadeOut(0.2, [&] {
        completed = true;
        EXPECT_EQ(panel->alpha(), 0.0);
        panel.reset();
    });
    EXPECT_TRUE(panel->isFading());
    ASSERT_TRUE(QTest::qWaitFor([&] { return completed; }, 2000));
    EXPECT_GE(clock.elapsed(), 190);
    EXPECT_TRUE(watch.isNull());
}

TEST(QtOsdPanel, AStoppedFadeNeverCompletes) {
    QtOsdPanel panel(Rect{0, 0, 280, 56});
    panel.orderFrontRegardless();
    int completions = 0;
    panel.fadeOut(0.05, [&] { ++completions; });
    QTest::qWait(20);
    panel.stopFade();
    panel.setAlpha(1.0);
    QTest::qWait(150);
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(panel.alpha(), 1.0);
    // A second fade completes once.
    panel.fadeOut(0.02, [&] { ++completions; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return completions == 1; }, 1000));
    QTest::qWait(50);
    EXPECT_EQ(completions, 1);
}

TEST(QtOsdPanel, AlphaStaysWithinRange) {
    QtOsdPanel panel(Rect{0, 0, 280, 56});
    panel.setAlpha(3.0);
    EXPECT_EQ(panel.alpha(), 1.0);
    panel.setAlpha(-1.0);
    EXPECT_EQ(panel.alpha(), 0.0);
    panel.setAlpha(std::nan(""));
    EXPECT_EQ(panel.alpha(), 1.0);
}

// The model on the Qt loop with real panels: a key press shows the panel
// centred 100 points above the bottom of the main screen's visible frame; it
// fades 1.5 s after the last press and is then gone.
TEST(QtOsdPanel, BrightnessOSDShowsHoldsAndDropsARealPanel) {
    QtMainLoop loop;
    sim::SimScreens screens;
    Screen main;
    main.displayId = 1;
    main.name = "Built-in Retina Display";
    main.frame = Rect{0, 0, 800, 600};
    main.visibleFrame = Rect{0, 40, 800, 530};
    screens.add(main, true);
    QtOsdPanelService panels;
    BrightnessOSD osd(loop, screens, panels);

    osd.showXDR(1050, 1600);
    ASSERT_TRUE(QTest::qWaitFor([&] { return osd.isVisible.get(); }, 1000));
    QtOsdPanel* panel = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* candidate = qobject_cast<QtOsdPanel*>(window); candidate && candidate->isVisible()) panel = candidate;
    }
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->contentWidget()->view(), (BrightnessOSDView{0.5, true}));
    EXPECT_EQ(panel->frame().x, 400.0 - 151.0);
    EXPECT_EQ(panel->frame().y, 140.0);
    EXPECT_TRUE(panel->isVisible());

    QPointer<QtOsdPanel> watch = panel;
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(800);
    osd.show(0.9825, false);
    QTest::qWait(50);
    EXPECT_EQ(panel->contentWidget()->view(), (BrightnessOSDView{0.9825, false}));
    clock.restart();
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 4000));
    // 1.5 s hold and 0.2 s fade from the second press, 50 ms of which passed.
    EXPECT_GE(clock.elapsed(), 1550);
    EXPECT_FALSE(osd.isVisible.get());
}

} // namespace
} // namespace brillex
