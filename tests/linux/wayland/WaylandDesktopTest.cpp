#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/linux/wayland/WaylandDesktop.h"
#include "support/PrivateBus.h"
#include "support/WlrTestCompositor.h"

namespace brillex::wayland {
namespace {

// What opening the Wayland platform says in each kind of session; GNOME's
// opening is the program test's.
std::string reasonOf(platform::NativeOpening opened) {
    if (auto* reason = std::get_if<std::string>(&opened)) return *reason;
    return "opened";
}

TEST(WaylandDesktopTest, EachSessionIsTakenOrRefusedInOneLine) {
    // No Mutter on the session bus in any of these.
    test::PrivateBus bus;
    ASSERT_TRUE(bus.running());
    setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
    {
        test::WlrTestCompositor wlroots;
        ASSERT_TRUE(wlroots.running());
        EXPECT_EQ(reasonOf(WaylandDesktop::open({})), "opened");
    }
    {
        test::WlrTestCompositor plain(false);
        ASSERT_TRUE(plain.running());
        EXPECT_EQ(reasonOf(WaylandDesktop::open({})),
                  "the Wayland compositor offers neither wlroots gamma control (zwlr_gamma_control_manager_v1 is not "
                  "among its globals) nor GNOME's display configuration (org.gnome.Mutter.DisplayConfig is not on the "
                  "session bus)");
    }
    setenv("WAYLAND_DISPLAY", "brillex-no-such-socket", 1);
    EXPECT_EQ(reasonOf(WaylandDesktop::open({})).rfind("the Wayland compositor at WAYLAND_DISPLAY=brillex-no-such-socket "
                                                       "cannot be reached (",
                                                       0),
              0u);
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(reasonOf(WaylandDesktop::open({})), "no Wayland compositor (WAYLAND_DISPLAY is not set)");
}

} // namespace
} // namespace brillex::wayland
