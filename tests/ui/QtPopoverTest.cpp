// The application delegate driving the Qt tray item, popover and mouse monitor.
#include <gtest/gtest.h>

#include "PopoverWorld.h"
#include "app/AppDelegate.h"
#include "ui/shell/QtGlobalEventMonitor.h"
#include "ui/shell/QtPopover.h"
#include "ui/shell/QtStatusBar.h"

namespace brillex::test {
namespace {

struct QtPopoverTest : ::testing::Test {
    QtPopoverTest() {
        delegate.applicationDidFinishLaunching();
        world.settle();
    }
    QtStatusItemButton& button() { return *static_cast<QtStatusItemButton*>(delegate.statusItem()->button()); }
    QtPopover& popover() { return *static_cast<QtPopover*>(delegate.popover()); }

    PopoverWorld world;
    QtGlobalEventMonitor monitor;
    QtStatusBar statusBar{monitor};
    QtPopoverFactory popovers{[this] { return world.environment(); }};
    ShellModels shell{world};
    AppDelegate delegate{AppDelegate::Platform{statusBar, popovers, monitor, world.sim.application, world.sim.loop,
                                               world.sim.accessibility},
                         shell.models()};
};

TEST_F(QtPopoverTest, TheTrayClickTogglesTheFramelessPopover) {
    EXPECT_TRUE(button().hasImage());
    EXPECT_EQ(popover().behavior(), PopoverBehavior::applicationDefined);
    EXPECT_EQ(popover().contentView(), nullptr);
    EXPECT_FALSE(popover().isShown());

    button().click();
    world.settle();
    EXPECT_TRUE(popover().isShown());
    ASSERT_NE(popover().contentView(), nullptr);
    EXPECT_TRUE(popover().window()->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(popover().window()->width(), 300);
    EXPECT_TRUE(world.systemBrightness.observerTimer.isValid());

    button().click();
    world.settle();
    EXPECT_FALSE(popover().isShown());
    EXPECT_FALSE(world.systemBrightness.observerTimer.isValid());
}

TEST_F(QtPopoverTest, AClickElsewhereClosesItAndStopsThePolling) {
    button().click();
    world.settle();
    ASSERT_TRUE(popover().isShown());
    monitor.deliver();
    world.settle();
    EXPECT_FALSE(popover().isShown());
    EXPECT_FALSE(world.systemBrightness.observerTimer.isValid());
    // Closed, another click elsewhere changes nothing.
    monitor.deliver();
    world.settle();
    EXPECT_FALSE(popover().isShown());
}

} // namespace
} // namespace brillex::test
