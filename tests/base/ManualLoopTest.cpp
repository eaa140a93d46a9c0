#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ManualLoop.h"

using namespace brillex;

TEST(ManualLoop, PostedTasksRunOnlyWhenAskedIncludingTheirOwnPosts) {
    ManualLoop loop;
    std::vector<int> order;
    loop.post([&] {
        order.push_back(1);
        loop.post([&] { order.push_back(3); });
    });
    loop.post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    loop.runPending();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(ManualLoop, TimersFireInTimeOrderWithTasksRunAfterEachFiring) {
    ManualLoop loop;
    std::vector<std::string> log;
    auto repeating = loop.schedule(1.0, true, [&] {
        log.push_back("tick@" + std::to_string(static_cast<int>(loop.now())));
        loop.post([&] { log.push_back("task"); });
    });
    auto once = loop.schedule(1.5, false, [&] { log.push_back("once"); });
    loop.advance(2.0);
    EXPECT_EQ(log, (std::vector<std::string>{"tick@1", "task", "once", "tick@2", "task"}));
    EXPECT_FALSE(once.isValid());
    EXPECT_TRUE(repeating.isValid());
    EXPECT_DOUBLE_EQ(loop.now(), 2.0);
}

TEST(ManualLoop, InvalidatedOrDroppedTimersNeverFire) {
    ManualLoop loop;
    int fired = 0;
    auto kept = loop.schedule(1.0, true, [&] { ++fired; });
    { auto dropped = loop.schedule(0.5, false, [&] { fired += 100; }); }
    kept.invalidate();
    loop.advance(5.0);
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(loop.activeTimers(), 0u);
}

TEST(ManualLoop, TimerMayInvalidateItselfWhileFiring) {
    ManualLoop loop;
    int fired = 0;
    Timer timer;
    timer = loop.schedule(1.0, true, [&] {
        if (++fired == 2) timer.invalidate();
    });
    loop.advance(10.0);
    EXPECT_EQ(fired, 2);
}

TEST(ManualLoop, TimerScheduledDuringAdvanceFiresWithinTheSameAdvance) {
    ManualLoop loop;
    std::vector<double> at;
    Timer inner;
    auto outer = loop.schedule(1.0, false, [&] { inner = loop.schedule(0.5, false, [&] { at.push_back(loop.now()); }); });
    loop.advance(3.0);
    EXPECT_EQ(at, (std::vector<double>{1.5}));
}
