#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/Log.h"
#include "keys/KeyboardManager.h"
#include "platform/linux/services/KeyGrabTapService.h"
#include "support/QtEventLoop.h"
#include "support/XvfbServer.h"

// Last: Xlib's macros clash with names in the headers above.
#include "platform/linux/x11/XErrorTrap.h"

#include <X11/XF86keysym.h>
#include <X11/Xlib.h>

namespace brillex::x11 {
namespace {

using Seen = std::pair<int, std::int64_t>;  // key code, key state

class KeyGrabTapTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server().running()) GTEST_SKIP() << "Xvfb is not installed";
        test::qtApplication();
    }

    static test::XvfbServer& server() {
        static test::XvfbServer instance;
        return instance;
    }

    std::unique_ptr<EventTap> listeningTap(KeyGrabTapService& service) {
        auto tap = service.createTap(KeyboardManager::kEventMask, [this](const TapEvent& event) {
            EXPECT_EQ(event.type, KeyboardManager::kSystemDefinedEventType);
            EXPECT_TRUE(event.fields && event.fields->subtype == KeyboardManager::kAuxControlButtonsSubtype);
            if (event.fields) seen.emplace_back(event.fields->data1 >> 16, event.fields->data1 >> 8 & 0xFF);
            return TapVerdict::swallow;
        });
        if (tap) {
            tap->addToMainRunLoop();
            tap->setEnabled(true);
        }
        return tap;
    }

    // Whether a client of its own could grab the key now (and lets it go).
    bool grabbableElsewhere(KeySym keysym, unsigned int modifiers) {
        Display* other = XOpenDisplay(server().display().c_str());
        XErrorTrap trap(other);
        XGrabKey(other, XKeysymToKeycode(other, keysym), modifiers, DefaultRootWindow(other), False, GrabModeAsync,
                 GrabModeAsync);
        const bool granted = !trap.failed();
        XCloseDisplay(other);
        return granted;
    }

    void press(const std::string& keys) { ASSERT_EQ(server().run("xdotool key " + keys), 0); }

    std::vector<Seen> seen;
};

constexpr int up = KeyboardManager::kKeyBrightnessUp;
constexpr int down = KeyboardManager::kKeyBrightnessDown;
constexpr std::int64_t pressed = KeyboardManager::kKeyStateDown;
constexpr std::int64_t released = KeyboardManager::kKeyStateUp;

TEST_F(KeyGrabTapTest, BrightnessKeysArriveAsAuxiliaryButtonsWhateverTheLocksAndOtherKeysStayAway) {
    KeyGrabTapService service(server().display());
    auto tap = listeningTap(service);
    ASSERT_NE(tap, nullptr);

    // Plain, with CapsLock, with NumLock as well, with NumLock alone; a volume key in between.
    press("XF86MonBrightnessUp XF86AudioRaiseVolume XF86MonBrightnessDown");
    press("Caps_Lock XF86MonBrightnessUp Num_Lock XF86MonBrightnessDown Caps_Lock XF86MonBrightnessUp Num_Lock");
    const std::vector<Seen> expected{{up, pressed},   {up, released},   {down, pressed}, {down, released},
                                     {up, pressed},   {up, released},   {down, pressed}, {down, released},
                                     {up, pressed},   {up, released}};
    EXPECT_TRUE(test::processEventsUntil([&] { return seen.size() >= expected.size(); }));
    test::processEventsUntil([] { return false; }, std::chrono::milliseconds(100));
    EXPECT_EQ(seen, expected);
}

TEST_F(KeyGrabTapTest, KeysHeldByAnotherClientFailCreationWithTheCtlHintAndLeaveNoPartialGrab) {
    Display* desktop = XOpenDisplay(server().display().c_str());
    XGrabKey(desktop, XKeysymToKeycode(desktop, XF86XK_MonBrightnessUp), 0, DefaultRootWindow(desktop), False,
             GrabModeAsync, GrabModeAsync);
    XSync(desktop, False);

    KeyGrabTapService service(server().display());
    {
        LogCapture log;
        EXPECT_EQ(listeningTap(service), nullptr);
        ASSERT_EQ(log.lines().size(), 1u);
        EXPECT_NE(log.lines()[0].find("`brillex ctl up|down`"), std::string::npos) << log.lines()[0];
    }
    // The combinations granted before the refusal were given back.
    EXPECT_TRUE(grabbableElsewhere(XF86XK_MonBrightnessDown, 0));
    EXPECT_TRUE(grabbableElsewhere(XF86XK_MonBrightnessUp, LockMask));

    XCloseDisplay(desktop);
    EXPECT_NE(listeningTap(service), nullptr);
}

TEST_F(KeyGrabTapTest, KeysAreTakenOnlyWhileTheTapIsEnabledAndAlive) {
    KeyGrabTapService service(server().display());
    auto tap = listeningTap(service);
    ASSERT_NE(tap, nullptr);
    EXPECT_FALSE(grabbableElsewhere(XF86XK_MonBrightnessDown, Mod2Mask | LockMask));

    tap->setEnabled(false);
    EXPECT_TRUE(grabbableElsewhere(XF86XK_MonBrightnessDown, Mod2Mask | LockMask));
    tap->setEnabled(true);
    EXPECT_FALSE(grabbableElsewhere(XF86XK_MonBrightnessUp, 0));
    press("XF86MonBrightnessUp");
    EXPECT_TRUE(test::processEventsUntil([&] { return seen.size() == 2; }));

    tap.reset();
    EXPECT_TRUE(grabbableElsewhere(XF86XK_MonBrightnessUp, 0));
}

} // namespace
} // namespace brillex::x11
