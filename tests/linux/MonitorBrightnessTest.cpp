// External monitors' brightness sources: matching screens to I2C buses, the
// choice of source per display, the worker that keeps a drag off the main
// thread, failures, retries and the permission hint; the buses are fakes here
// (the real libddcutil over fake monitors is the shim test's).

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "controls/SystemBrightness.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/ddc/MonitorBrightness.h"
#include "platform/linux/ddc/MonitorMatching.h"
#include "platform/sim/SimDisplayServices.h"
#include "platform/sim/SimScreens.h"
#include "support/TemporaryFolder.h"
#include "support/TestScreens.h"

namespace brillex::ddc {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

Bytes edid(std::uint8_t serial) {
    Bytes bytes(128, 0);
    bytes[1] = 0xFF;
    bytes[12] = serial;
    return bytes;
}

TEST(MonitorMatchingTest, EdidFirstThenTheConnectorAndNeverAGuess) {
    const std::vector<BusMonitor> monitors{{5, edid(1)}, {6, edid(2)}, {7, edid(2)}, {8, edid(3)}};
    const std::vector<DrmConnector> connectors{
        {"DP-1", true, edid(2), 6}, {"HDMI-A-1", true, edid(2), 7}, {"DP-2", true, edid(3), 8},
        {"DP-3", true, {}, 9},      {"DVI-D-1", true, edid(4), 4},  {"eDP-1", true, edid(9), 2}};
    struct Case {
        ScreenOutput screen;
        std::optional<int> bus;
        bool ambiguous;
    };
    const std::vector<Case> cases{
        {{10, "whatever-1", edid(1)}, 5, false},   // one monitor shows the EDID
        {{11, "DP-1", edid(2)}, 6, false},         // two do: the connector tells
        {{12, "HDMI-1", edid(2)}, 7, false},       // RandR's name of HDMI-A-1
        {{13, "DisplayPort-0", edid(2)}, {}, true},  // a driver's own names tell nothing
        {{14, "DP-3", {}}, 9, false},              // no EDID from the display layer
        {{15, "DP-9", {}}, {}, false},
        {{16, "DVI-D-1", edid(4)}, 4, false},      // known only to the kernel (a ddcci device there)
        {{17, "eDP-1", edid(9), true}, {}, false},  // the panel is the backlight's
        {{18, "DP-2", edid(2)}, {}, true},         // the connector shows another monitor
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen.id);
        const MonitorMatch match = matchMonitors({c.screen}, monitors, connectors);
        const auto found = match.buses.find(c.screen.id);
        EXPECT_EQ(found == match.buses.end() ? std::nullopt : std::optional<int>(found->second), c.bus);
        EXPECT_EQ(!match.ambiguous.empty(), c.ambiguous);
    }
    // The same connector name on two cards is no answer either.
    const std::vector<DrmConnector> twoCards{{"DP-1", true, {}, 6}, {"DP-1", true, {}, 7}};
    EXPECT_TRUE(matchMonitors({{19, "DP-1", {}}}, monitors, twoCards).buses.empty());
}

struct FakeOutputs : ScreenOutputs {
    std::vector<ScreenOutput> screenOutputs() const override { return outputs; }
    std::vector<ScreenOutput> outputs;
};

// One fake monitor: its register and every write it received, from any thread.
struct FakeMonitor {
    std::mutex lock;
    float value = 0.5f;
    std::vector<float> writes;
    std::atomic<std::int32_t> status{0};
    std::chrono::milliseconds writeTime{50};
};

class FakeDevice : public BrightnessDevice {
public:
    explicit FakeDevice(std::shared_ptr<FakeMonitor> monitor) : monitor_(std::move(monitor)) {}
    Reading read() override {
        std::this_thread::sleep_for(2 * monitor_->writeTime);
        const std::lock_guard guard(monitor_->lock);
        return {monitor_->status, monitor_->value};
    }
    std::int32_t write(float value) override {
        std::this_thread::sleep_for(monitor_->writeTime);
        const std::lock_guard guard(monitor_->lock);
        monitor_->writes.push_back(value);
        if (monitor_->status == 0) monitor_->value = value;
        return monitor_->status;
    }

private:
    std::shared_ptr<FakeMonitor> monitor_;
};

class MonitorBrightnessTest : public ::testing::Test {
protected:
    MonitorBrightnessTest() {
        screens.add(test::screenOf(1, "Panel", 2.0), true);
        screens.add(test::screenOf(2, "DDC monitor", 2.0));
        screens.add(test::screenOf(3, "ddcci monitor", 2.0));
        screens.add(test::screenOf(4, "TV", 2.0));
        outputs.outputs = {{1, "eDP-1", edid(9), true}, {2, "DP-1", edid(1)}, {3, "DP-2", edid(2)}, {4, "HDMI-1", edid(3)}};
        connector("DP-1", edid(1), 5);
        connector("DP-2", edid(2), 6);
        connector("HDMI-A-1", edid(3), 7);
        fs::create_directories(sysfs / "class/i2c-dev/i2c-5");
        const fs::path ddcci = sysfs / "class/backlight/ddcci6";
        fs::create_directories(ddcci);
        std::ofstream(ddcci / "max_brightness") << "100\n";
        std::ofstream(ddcci / "brightness") << "40\n";
        monitors[5] = std::make_shared<FakeMonitor>();
    }
    void connector(const std::string& name, const Bytes& bytes, int bus) {
        const fs::path folder = sysfs / "class/drm" / ("card0-" + name);
        fs::create_directories(folder / ("i2c-" + std::to_string(bus)));
        std::ofstream(folder / "status") << "connected\n";
        std::ofstream(folder / "edid", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    MonitorBrightness::Bus fakeBus() {
        return {[this] {
                    ++detections;
                    Ddcutil::Detection detection;
                    detection.accessDenied = accessDenied;
                    for (const auto& [bus, monitor] : monitors) {
                        Ddcutil::Monitor found;
                        found.bus = bus;
                        found.edid = edid(static_cast<std::uint8_t>(bus - 4));
                        detection.monitors.push_back(found);
                    }
                    return detection;
                },
                [this](const Ddcutil::Monitor& monitor) -> std::unique_ptr<BrightnessDevice> {
                    return std::make_unique<FakeDevice>(monitors.at(monitor.bus));
                }};
    }
    SystemBrightness& start() {
        sources.emplace(outputs, screens, loop, sysfs, QDBusConnection(QStringLiteral("brillex-no-bus")), fakeBus());
        brightness.emplace(screens, libraries, displayConnect, *sources, loop);
        settle();
        return *brightness;
    }
    // Runs the loop until the detection and the readings it started are in.
    void settle() {
        waitFor([&] { return !sources->isDetecting(); });
        const auto end = std::chrono::steady_clock::now() + 500ms;
        while (std::chrono::steady_clock::now() < end) {
            loop.advance(0.005);
            std::this_thread::sleep_for(5ms);
        }
    }
    template <class Condition>
    bool waitFor(Condition condition, std::chrono::milliseconds limit = 10s) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) return false;
            loop.advance(0.002);
            std::this_thread::sleep_for(2ms);
        }
        return true;
    }
    DisplayBrightnessState& state(DisplayId id) { return *brightness->displayStates.get().at(id); }

    test::TemporaryFolder folder;
    fs::path sysfs = fs::path(folder.path()) / "sys";
    sim::SimScreens screens;
    FakeOutputs outputs;
    ManualLoop loop;
    platform::LibraryRegistry libraries;
    sim::SimDisplayServices displayConnect{libraries, loop, screens};
    std::map<int, std::shared_ptr<FakeMonitor>> monitors;
    bool accessDenied = false;
    std::atomic<int> detections{0};
    LogCapture log;
    std::optional<MonitorBrightness> sources;
    std::optional<SystemBrightness> brightness;
};

TEST_F(MonitorBrightnessTest, EachDisplayGetsItsOwnSourceOrNone) {
    start();
    EXPECT_TRUE(state(1).setBrightnessFunc);  // the library, which the simulated panel answers
    EXPECT_TRUE(state(2).setBrightnessFunc);
    EXPECT_FLOAT_EQ(state(2).brightness, 0.5f);
    EXPECT_TRUE(state(3).setBrightnessFunc);
    EXPECT_FLOAT_EQ(state(3).brightness, 0.4f);
    EXPECT_FALSE(state(4).getBrightnessFunc || state(4).setBrightnessFunc);
    EXPECT_TRUE(log.contains("DDC: display 2 brightness through /dev/i2c-5"));
    EXPECT_TRUE(log.contains("DDC: display 3 brightness through " + (sysfs / "class/backlight/ddcci6").string()));

    EXPECT_TRUE(state(3).setBrightness(0.75f));
    EXPECT_TRUE(waitFor([&] {
        std::ifstream in(sysfs / "class/backlight/ddcci6/brightness");
        int level = 0;
        in >> level;
        return level == 75;
    }));
}

TEST_F(MonitorBrightnessTest, ADragNeverHoldsUpTheMainThreadAndEndsOnItsLastValue) {
    start();
    brightness->startObserving();
    auto longest = 0us;
    const auto began = std::chrono::steady_clock::now();
    for (int move = 1; move <= 100; ++move) {
        const auto before = std::chrono::steady_clock::now();
        state(2).setBrightness(0.5f + 0.005f * static_cast<float>(move));
        loop.advance(0.01);
        longest = std::max(longest, std::chrono::duration_cast<std::chrono::microseconds>(
                                        std::chrono::steady_clock::now() - before));
        std::this_thread::sleep_until(began + move * 10ms);
    }
    ASSERT_TRUE(waitFor([&] {
        const std::lock_guard guard(monitors[5]->lock);
        return monitors[5]->value == 1.0f;
    }));
    const std::size_t writes = monitors[5]->writes.size();
    EXPECT_GE(writes, 3u);
    EXPECT_LE(writes, 8u);
    EXPECT_EQ(monitors[5]->writes.back(), 1.0f);
    EXPECT_LT(longest, 20ms);
    EXPECT_EQ(state(2).brightness, 1.0f);
}

TEST_F(MonitorBrightnessTest, AFailingMonitorIsLoggedOnceLosesItsSourceAndIsDetectedAgainAtTheNextScreenChange) {
    start();
    monitors[5]->status = -3007;
    state(2).setBrightness(0.9f);
    ASSERT_TRUE(waitFor([&] { return !state(2).setBrightnessFunc; }));
    EXPECT_TRUE(log.contains("DDC: display 2 (/dev/i2c-5) does not answer (DDCRC_RETRIES); its brightness is "
                             "unavailable until the screens change"));
    EXPECT_EQ(detections, 1);

    monitors[5]->status = 0;
    screens.notifyScreenChange();
    settle();
    EXPECT_EQ(detections, 2);
    EXPECT_TRUE(state(2).setBrightnessFunc);
    // A change that brings nothing new detects nothing.
    screens.notifyScreenChange();
    settle();
    EXPECT_EQ(detections, 2);
}

TEST_F(MonitorBrightnessTest, ABusThatCannotBeOpenedOrMissingI2cDevicesGiveOneHint) {
    accessDenied = true;
    start();
    const auto hints = [&] {
        return std::count_if(log.lines().begin(), log.lines().end(),
                             [](const std::string& line) { return line.find("log out and in again") != std::string::npos; });
    };
    EXPECT_TRUE(log.contains("DDC: the monitors' I2C buses cannot be opened (permission denied): install the ddcutil "
                             "package for its udev rule (uaccess on /dev/i2c-*), make sure the i2c-dev module is "
                             "loaded, then log out and in again"));
    EXPECT_EQ(hints(), 1);
    brightness.reset();
    sources.reset();
    log.clear();
    accessDenied = false;
    fs::remove_all(sysfs / "class/i2c-dev");
    start();
    EXPECT_EQ(hints(), 1);
    EXPECT_EQ(log.lines().back().rfind("DDC: no /dev/i2c-* devices", 0), 0u) << log.lines().back();
    // Screens without an EDID (a virtual machine's) are no reason for it.
    brightness.reset();
    sources.reset();
    log.clear();
    for (auto& output : outputs.outputs) output.edid.clear();
    start();
    EXPECT_EQ(hints(), 0);
}

} // namespace
} // namespace brillex::ddc
