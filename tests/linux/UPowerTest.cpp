// Battery and keyboard light from UPower, mocked by python3-dbusmock on a
// private system bus and read through the core's BatteryMonitor and
// KeyboardBrightness.

#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cmath>

#include <QDBusVariant>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "controls/KeyboardBrightness.h"
#include "platform/common/ClassRegistry.h"
#include "platform/linux/services/UPowerKeyboardClient.h"
#include "platform/linux/services/UPowerPowerSources.h"
#include "power/BatteryMonitor.h"
#include "support/MockSystemBus.h"

namespace brillex::x11 {
namespace {

constexpr const char* kUPower = "org.freedesktop.UPower";
constexpr const char* kMain = "/org/freedesktop/UPower";
constexpr const char* kDisplayDevice = "/org/freedesktop/UPower/devices/DisplayDevice";
constexpr const char* kKbd = "/org/freedesktop/UPower/KbdBacklight";
constexpr const char* kMock = "org.freedesktop.DBus.Mock";

class UPowerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bus.running());
        upower = bus.startTemplate("upower", kUPower);
        ASSERT_GT(upower, 0);
    }

    void set(const char* path, const char* interface, const char* name, const QVariant& value) {
        const QDBusMessage reply = bus.call(kUPower, path, "org.freedesktop.DBus.Properties", "Set",
                                            {interface, name, QVariant::fromValue(QDBusVariant(value))});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }
    void setDevice(const char* name, const QVariant& value) {
        set(kDisplayDevice, "org.freedesktop.UPower.Device", name, value);
    }
    void setOnBattery(const QVariant& value) { set(kMain, "org.freedesktop.UPower", "OnBattery", value); }
    // A discharging laptop battery as UPower's display device shows it.
    void battery(double percentage, uint state) {
        setDevice("IsPresent", true);
        setDevice("Type", uint(2));
        setDevice("Percentage", percentage);
        setDevice("State", state);
    }

    // The keyboard backlight object with the given methods' code.
    void keyboard(const QString& maxCode, const QString& maxSignature = "i") {
        const QDBusMessage reply =
            bus.addObject(kUPower, kMain, kKbd, "org.freedesktop.UPower.KbdBacklight",
                          {{"GetMaxBrightness", "", maxSignature, maxCode},
                           {"GetBrightness", "", "i", "ret = getattr(self, 'level', 1)"},
                           {"SetBrightness", "i", "", "self.level = args[0]"}});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }
    void addMethod(const QString& name, const QString& in, const QString& out, const QString& code) {
        const QDBusMessage reply =
            bus.call(kUPower, kKbd, kMock, "AddMethod", {"org.freedesktop.UPower.KbdBacklight", name, in, out, code});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    std::unique_ptr<KeyboardBrightness> keyboardBrightness() {
        auto made = std::make_unique<KeyboardBrightness>(loop, objects);
        loop.runPending();
        return made;
    }

    test::MockSystemBus bus;
    pid_t upower = -1;
    ManualLoop loop;
    LogCapture log;
    UPowerPowerSources sources{bus.bus()};
    UPowerKeyboardClient client{bus.bus()};
    platform::ClassRegistry objects{{"KeyboardBrightnessClient", &client}};
};

TEST_F(UPowerTest, ABatteryIsOneSourceWhoseChangesTheMonitorFollows) {
    // No battery: none, as on a desktop.
    BatteryMonitor monitor(sources, loop);
    EXPECT_DOUBLE_EQ(monitor.chargeLevel, 100.0);
    EXPECT_EQ(sources.snapshot()->size(), 0u);

    battery(46.25, 1);
    int calls = 0;
    monitor.onBatteryStateChanged = [&](bool onBattery, double level) {
        ++calls;
        EXPECT_TRUE(onBattery);
        EXPECT_DOUBLE_EQ(level, 19.5);
    };
    monitor.startMonitoring();
    EXPECT_DOUBLE_EQ(monitor.chargeLevel, 46.25);
    EXPECT_FALSE(monitor.isOnBattery);
    EXPECT_TRUE(monitor.isCharging);

    // Unplugged: seen at the next poll, with the fractional level kept.
    setOnBattery(true);
    battery(19.5, 2);
    loop.advance(BatteryMonitor::kPollInterval);
    EXPECT_TRUE(monitor.isOnBattery);
    EXPECT_FALSE(monitor.isCharging);
    EXPECT_EQ(calls, 1);
}

TEST_F(UPowerTest, NonsenseValuesKeepWhatWasKnownAndAreLoggedOnce) {
    battery(80.0, 2);
    BatteryMonitor monitor(sources, loop);
    ASSERT_DOUBLE_EQ(monitor.chargeLevel, 80.0);

    setDevice("Percentage", std::nan(""));
    monitor.updateBatteryStatus();
    setDevice("Percentage", -3.0);
    monitor.updateBatteryStatus();
    setDevice("Percentage", QString("50"));
    setOnBattery(QString("yes"));
    setDevice("State", QString("charging"));
    monitor.updateBatteryStatus();
    EXPECT_DOUBLE_EQ(monitor.chargeLevel, 80.0);
    EXPECT_FALSE(monitor.isOnBattery);
    EXPECT_FALSE(monitor.isCharging);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "UPower: Percentage is not a number from 0 to 100; the charge level is kept"),
              1);
    EXPECT_TRUE(log.contains("UPower: OnBattery is missing or not a Boolean; the power state is kept"));

    // A Type of the wrong wire type is no battery.
    setDevice("Type", QString("battery"));
    EXPECT_EQ(sources.snapshot()->size(), 0u);
}

TEST_F(UPowerTest, AStalledOrMissingUPowerGivesNoSourcesWithinASecond) {
    battery(50.0, 2);
    kill(upower, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(sources.snapshot()->size(), 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    kill(upower, SIGCONT);
    kill(upower, SIGTERM);
    waitpid(upower, nullptr, 0);
    EXPECT_EQ(sources.snapshot()->size(), 0u);
}

TEST_F(UPowerTest, TheKeyboardLightIsReadAndSetInStepsOfItsMaximum) {
    keyboard("ret = 3");
    auto keyboard = keyboardBrightness();
    EXPECT_TRUE(keyboard->isAvailable);
    EXPECT_TRUE(log.contains("KeyboardBrightness: Found keyboard ID: 1"));
    EXPECT_FLOAT_EQ(keyboard->brightness, 1.0f / 3.0f);

    keyboard->setBrightness(0.5f);  // 1.5 steps: the nearest is 2
    EXPECT_TRUE(log.contains("KeyboardBrightness: Set brightness to 0.5, result: true"));
    keyboard->readBrightness();
    loop.runPending();
    EXPECT_FLOAT_EQ(keyboard->brightness, 2.0f / 3.0f);
}

TEST_F(UPowerTest, AKeyboardLightWithoutAUsableMaximumIsUnavailable) {
    {
        auto keyboard = keyboardBrightness();  // no such object
        EXPECT_FALSE(keyboard->isAvailable);
        EXPECT_TRUE(log.contains("KeyboardBrightness: No keyboard IDs found"));
    }
    keyboard("ret = 0");
    EXPECT_FALSE(keyboardBrightness()->isAvailable);
    EXPECT_TRUE(log.contains("UPower: KbdBacklight reports a maximum of 0"));
    addMethod("GetMaxBrightness", "", "s", "ret = '3'");
    EXPECT_FALSE(keyboardBrightness()->isAvailable);
    EXPECT_TRUE(log.contains("UPower: KbdBacklight.GetMaxBrightness answered 's' instead of 'i'"));
}

TEST_F(UPowerTest, AKeyboardLightThatStopsAnsweringKeepsItsLevelAndRefusesSets) {
    keyboard("ret = 4");
    auto keyboard = keyboardBrightness();
    ASSERT_TRUE(keyboard->isAvailable);
    kill(upower, SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    keyboard->readBrightness();
    keyboard->setBrightness(0.0f);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_TRUE(log.contains("KeyboardBrightness: Set brightness to 0.0, result: false"));
    kill(upower, SIGCONT);
}

} // namespace
} // namespace brillex::x11
