// The Qt pieces behind the ports: main loop, settings store, popover window,
// mouse monitor and tray button, termination signals, manual-loop driver.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <vector>

#include "base/Log.h"
#include "ui/shell/ManualLoopDriver.h"
#include "ui/shell/QSettingsStore.h"
#include "ui/shell/QtGlobalEventMonitor.h"
#include "ui/shell/QtMainLoop.h"
#include "ui/shell/QtPopover.h"
#include "ui/shell/QtStatusBar.h"
#include "ui/shell/TerminationSignals.h"

namespace brillex {
namespace {

// Runs Qt's loop, waiting for events as the program's loop does, until
// `done` holds or a second has passed.
template <class Done>
bool spinUntil(Done done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 1000) {
        QEventLoop wait;
        QTimer::singleShot(10, &wait, &QEventLoop::quit);
        wait.exec();
    }
    return done();
}

TEST(QtMainLoopTest, PostedTasksRunLaterInOrder) {
    QtMainLoop loop;
    std::vector<int> order;
    loop.post([&] {
        order.push_back(1);
        loop.post([&] { order.push_back(3); });
    });
    loop.post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    EXPECT_TRUE(spinUntil([&] { return order.size() == 3; }));
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(QtMainLoopTest, TimersFireRepeatOrOnceAndStopWhenDropped) {
    QtMainLoop loop;
    int once = 0;
    int repeated = 0;
    Timer single = loop.schedule(0.01, false, [&] { ++once; });
    Timer repeating = loop.schedule(0.01, true, [&] { ++repeated; });
    EXPECT_TRUE(single.isValid());
    EXPECT_TRUE(spinUntil([&] { return repeated >= 3; }));
    EXPECT_EQ(once, 1);
    EXPECT_FALSE(single.isValid());
    EXPECT_TRUE(repeating.isValid());
    repeating.invalidate();
    const int seen = repeated;
    QTest::qWait(40);
    EXPECT_EQ(repeated, seen);

    int afterDrop = 0;
    { Timer dropped = loop.schedule(0.0, false, [&] { ++afterDrop; }); }
    QTest::qWait(20);
    EXPECT_EQ(afterDrop, 0);
    EXPECT_GT(loop.now(), 0.0);
}

TEST(QtMainLoopTest, ATimerMayBeReplacedFromInsideItsOwnFiring) {
    QtMainLoop loop;
    Timer timer;
    int fired = 0;
    std::function<void()> fire = [&] {
        ++fired;
        if (fired < 3) timer = loop.schedule(0.0, true, fire);
        else timer.invalidate();
    };
    timer = loop.schedule(0.0, true, fire);
    EXPECT_TRUE(spinUntil([&] { return fired == 3; }));
    QTest::qWait(20);
    EXPECT_EQ(fired, 3);
}

struct QSettingsStoreTest : ::testing::Test {
    QString file() const { return directory.filePath("Brillex.json"); }
    QTemporaryDir directory;
    QtMainLoop loop;
};

TEST_F(QSettingsStoreTest, KeepsTypesAcrossReopening) {
    {
        QSettingsStore store(loop, file());
        store.set("onlyWhileCharging", true);
        store.set("timerMinutes", 9007199254740993LL);
        store.set("appLanguage", std::string("zh-Hans"));
        store.set("gone", 5LL);
        store.remove("gone");
    }
    QSettingsStore reopened(loop, file());
    EXPECT_EQ(reopened.get("onlyWhileCharging"), SettingValue(true));
    EXPECT_EQ(reopened.get("timerMinutes"), SettingValue(9007199254740993LL));
    EXPECT_EQ(reopened.get("appLanguage"), SettingValue(std::string("zh-Hans")));
    EXPECT_EQ(reopened.get("gone"), std::nullopt);
    EXPECT_EQ(reopened.get("neverWritten"), std::nullopt);
}

TEST_F(QSettingsStoreTest, PostsOneChangeNotificationPerWrite) {
    QSettingsStore store(loop, file());
    int changes = 0;
    Subscription watching = store.observeChanges([&] { ++changes; });
    store.set("autoOffTimer", true);
    store.set("autoOffTimer", true);
    store.remove("autoOffTimer");
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(spinUntil([&] { return changes == 3; }));
    watching.cancel();
    store.set("autoOffTimer", false);
    QTest::qWait(10);
    EXPECT_EQ(changes, 3);
}

TEST_F(QSettingsStoreTest, ValuesOfOtherTypesArriveAsText) {
    QFile json(file());
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"lowBatteryPercent": 12.5, "timerMinutes": [1, 2]})");
    json.close();
    QSettingsStore store(loop, file());
    EXPECT_EQ(store.get("lowBatteryPercent"), SettingValue(std::string("12.5")));
    EXPECT_EQ(store.get("timerMinutes"), SettingValue(std::string("[1,2]")));
}

// Unreadable files in a row: each is kept under a number of its own, none
// overwrites an earlier one, and only the newest five stay.
TEST_F(QSettingsStoreTest, SetsUnreadableFilesAsideInsteadOfOverwritingThemOrEachOther) {
    const auto contents = [](int run) { return QByteArray("{ not json ") + QByteArray::number(run); };
    for (int run = 0; run < 7; ++run) {
        QFile json(file());
        ASSERT_TRUE(json.open(QIODevice::WriteOnly));
        json.write(contents(run));
        json.close();
        LogCapture log;
        QSettingsStore store(loop, file());
        const QString kept = file() + ".unreadable" + (run == 0 ? QString() : "." + QString::number(run));
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_EQ(log.lines()[0], "Settings: " + file().toStdString() + " is not a readable settings file; kept as " +
                                      kept.toStdString() + ", using the defaults");
        EXPECT_EQ(store.get("timerMinutes"), std::nullopt);
        store.set("timerMinutes", 5LL);
    }
    for (int run = 0; run < 7; ++run) {
        QFile kept(file() + ".unreadable" + (run == 0 ? QString() : "." + QString::number(run)));
        EXPECT_EQ(kept.exists(), run >= 2) << run;
        if (kept.open(QIODevice::ReadOnly)) {
            EXPECT_EQ(kept.readAll(), contents(run));
        }
    }
}

TEST(QtPopoverPlacement, CentresUnderTheItemAndStaysOnTheScreen) {
    const QRect screen(0, 0, 1920, 1080);
    const QSize size(300, 400);
    // A tray at the top right: under the icon, pushed left to fit.
    EXPECT_EQ(QtPopover::placement(size, QRect(1880, 0, 24, 24), screen), QPoint(1920 - 8 - 300, 28));
    // A tray at the bottom: above the icon.
    EXPECT_EQ(QtPopover::placement(size, QRect(900, 1056, 24, 24), screen), QPoint(762, 1056 - 4 - 400));
    // No icon geometry: the top right corner.
    EXPECT_EQ(QtPopover::placement(size, QRect(), screen), QPoint(1920 - 8 - 300, 8));
}

TEST(QtEventMonitorTest, DeactivationIsAClickElsewhereButNotOnTheTrayIcon) {
    QtGlobalEventMonitor monitor;
    int elsewhere = 0;
    auto token = monitor.addGlobalMonitor(EventMask::leftMouseDown | EventMask::rightMouseDown, [&] { ++elsewhere; });
    ASSERT_TRUE(token.has_value());
    EXPECT_FALSE(monitor.addGlobalMonitor(std::uint64_t{1} << 10, [] {}).has_value());

    QtStatusItemButton button(monitor);
    int clicks = 0;
    button.setAction([&] { ++clicks; });
    button.setImage("sun.max.fill", "Brillex");
    EXPECT_TRUE(button.hasImage());
    EXPECT_EQ(button.toolTip(), "Brillex");
    button.click();
    EXPECT_EQ(clicks, 1);

    monitor.deliver();
    EXPECT_EQ(elsewhere, 1);
    token.reset();
    monitor.deliver();
    EXPECT_EQ(elsewhere, 1);

    QtStatusItemButton noImage(monitor);
    noImage.setImage("no.such.symbol", "Brillex");
    EXPECT_FALSE(noImage.hasImage());
}

TEST(TerminationSignalsTest, SigtermArrivesOnTheMainLoop) {
    std::vector<int> received;
    TerminationSignals signals([&](int number) { received.push_back(number); });
    ASSERT_TRUE(signals.isInstalled());
    std::raise(SIGTERM);
    std::raise(SIGINT);
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(spinUntil([&] { return received.size() == 2; }));
    EXPECT_EQ(received, (std::vector<int>{SIGTERM, SIGINT}));
}

TEST(ManualLoopDriverTest, RunsTheManualLoopsTasksAndTimersInRealTime) {
    ManualLoop manual;
    ManualLoopDriver driver(manual);
    bool posted = false;
    bool fired = false;
    manual.post([&] { posted = true; });
    Timer timer = manual.schedule(0.05, false, [&] { fired = true; });
    EXPECT_TRUE(spinUntil([&] { return posted; }));
    EXPECT_TRUE(spinUntil([&] { return fired; }));
}

} // namespace
} // namespace brillex
