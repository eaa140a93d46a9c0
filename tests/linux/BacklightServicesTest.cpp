// The backlight as the core's brightness source: a sysfs tree the test makes,
// logind mocked on a private system bus, read through the core's SystemBrightness.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <QDBusArgument>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "controls/SystemBrightness.h"
#include "platform/common/LibraryRegistry.h"
#include "platform/linux/services/BacklightServices.h"
#include "platform/sim/SimScreens.h"
#include "support/MockSystemBus.h"
#include "support/TemporaryFolder.h"
#include "support/TestScreens.h"

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;
constexpr DisplayId kPanel = 1;
constexpr DisplayId kMonitor = 2;

void writeFile(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text;
}

std::string fileText(const fs::path& file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return text;
}

class BacklightTest : public ::testing::Test {
protected:
    BacklightTest() {
        screens.add(test::screenOf(kPanel, "Built-in Display", 2.0), true);
        screens.add(test::screenOf(kMonitor, "Monitor", 1.0));
    }

    fs::path device(const std::string& name, const std::string& type, const std::string& max,
                    const std::string& level) {
        const fs::path folder = fs::path(folder_.path()) / name;
        fs::create_directories(folder);
        writeFile(folder / "type", type + "\n");
        writeFile(folder / "max_brightness", max + "\n");
        writeFile(folder / "brightness", level + "\n");
        writeFile(folder / "actual_brightness", level + "\n");
        return folder;
    }

    // Logind with the caller's session, whose SetBrightness writes the device
    // file as the real one does (after `delay` seconds).
    void startLogind(double delay = 0.0) {
        ASSERT_GT(bus.startTemplate("logind", "org.freedesktop.login1"), 0);
        const QDBusMessage added = bus.call("org.freedesktop.login1", "/org/freedesktop/login1",
                                            "org.freedesktop.DBus.Mock", "AddSession",
                                            {"auto", "seat0", uint(getuid()), "user", true});
        ASSERT_EQ(added.type(), QDBusMessage::ReplyMessage) << added.errorMessage().toStdString();
        const QString code = QString("import time\ntime.sleep(%1)\n"
                                     "open('%2/' + args[1] + '/brightness', 'w').write(str(args[2]) + '\\n')")
                                 .arg(delay)
                                 .arg(QString::fromStdString(folder_.path()));
        const QDBusMessage method = bus.call("org.freedesktop.login1", kSession, "org.freedesktop.DBus.Mock",
                                             "AddMethod", {"org.freedesktop.login1.Session", "SetBrightness", "ssu", "", code});
        ASSERT_EQ(method.type(), QDBusMessage::ReplyMessage) << method.errorMessage().toStdString();
    }

    // The arguments of every SetBrightness logind received.
    std::vector<std::string> logindCalls() {
        const QDBusMessage reply =
            bus.call("org.freedesktop.login1", kSession, "org.freedesktop.DBus.Mock", "GetMethodCalls", {"SetBrightness"});
        std::vector<std::string> calls;
        const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
        list.beginArray();
        while (!list.atEnd()) {
            qulonglong time = 0;
            QVariantList arguments;
            list.beginStructure();
            list >> time >> arguments;
            list.endStructure();
            calls.push_back(arguments.value(0).toString().toStdString() + " " + arguments.value(1).toString().toStdString() +
                            " " + std::to_string(arguments.value(2).toUInt()));
        }
        list.endArray();
        return calls;
    }

    // The core's view of the displays over this backlight.
    std::unique_ptr<SystemBrightness> brightness() {
        services = std::make_unique<BacklightServices>(libraries, screens, folder_.path(), bus.bus());
        auto made = std::make_unique<SystemBrightness>(screens, libraries, *services, librarySources, loop);
        loop.runPending();
        return made;
    }
    DisplayBrightnessState& state(SystemBrightness& system, DisplayId id) { return *system.displayStates.get().at(id); }

    static constexpr const char* kSession = "/org/freedesktop/login1/session/auto";
    test::TemporaryFolder folder_;
    test::MockSystemBus bus;
    sim::SimScreens screens;
    platform::LibraryRegistry libraries;
    LibrarySources librarySources;
    ManualLoop loop;
    LogCapture log;
    std::unique_ptr<BacklightServices> services;
};

TEST_F(BacklightTest, TakesFirmwareThenPlatformThenRawAndPassesOverUnusableDevices) {
    const fs::path root = folder_.path();
    EXPECT_FALSE(SysfsBacklight::find(root));
    EXPECT_FALSE(SysfsBacklight::find(root / "missing"));
    device("intel_backlight", "raw", "96000", "100");
    device("a_unknown", "led", "10", "1");
    device("acpi_video0", "firmware", "0", "0");  // no range: passed over
    EXPECT_EQ(SysfsBacklight::find(root)->name(), "intel_backlight");
    device("thinkpad_screen", "platform", "15", "7");
    EXPECT_EQ(SysfsBacklight::find(root)->name(), "thinkpad_screen");
    device("acpi_video1", "firmware", "100", "50");
    EXPECT_EQ(SysfsBacklight::find(root)->name(), "acpi_video1");
}

TEST_F(BacklightTest, TheBuiltInPanelReadsItsBacklightAndOtherDisplaysNone) {
    ASSERT_TRUE(bus.running());
    const fs::path panel = device("intel_backlight", "raw", "1000", "300");
    auto system = brightness();
    EXPECT_TRUE(log.contains("SystemBrightness: GetBrightness loaded"));
    EXPECT_TRUE(log.contains("SystemBrightness: SetBrightness loaded"));
    EXPECT_FLOAT_EQ(state(*system, kPanel).brightness, 0.3f);
    EXPECT_TRUE(state(*system, kPanel).canReadBrightness);
    EXPECT_FALSE(state(*system, kMonitor).canReadBrightness);
    EXPECT_FALSE(state(*system, kMonitor).setBrightness(0.5f));
    EXPECT_TRUE(log.contains("SystemBrightness: SetBrightness failed for display 2, error: 19"));

    // Out of range is clamped and logged once, however often it is read.
    writeFile(panel / "brightness", "1200\n");
    system->refreshBrightness();
    system->refreshBrightness();
    loop.runPending();
    EXPECT_FLOAT_EQ(state(*system, kPanel).brightness, 1.0f);
    EXPECT_EQ(std::count(log.lines().begin(), log.lines().end(),
                         "Backlight: intel_backlight: brightness above max_brightness, taken as the maximum"),
              1);

    // A nonsense level falls back to what the hardware reports.
    writeFile(panel / "brightness", "-5\n");
    writeFile(panel / "actual_brightness", "250\n");
    system->refreshBrightness();
    loop.runPending();
    EXPECT_FLOAT_EQ(state(*system, kPanel).brightness, 0.25f);
    EXPECT_TRUE(log.contains("Backlight: intel_backlight: brightness is not a number"));
}

TEST_F(BacklightTest, WithoutABacklightTheLibraryIsMissingAndNoDisplayIsControlled) {
    ASSERT_TRUE(bus.running());
    auto system = brightness();
    EXPECT_TRUE(log.contains("SystemBrightness: Failed to load DisplayServices - dlopen(" +
                             std::string(SystemBrightness::kDisplayServicesPath) + ", 0x0002): image not found"));
    EXPECT_FALSE(state(*system, kPanel).getBrightnessFunc);
    EXPECT_FALSE(state(*system, kPanel).setBrightness(0.5f));
}

TEST_F(BacklightTest, WritesGoThroughTheCallersLogindSessionAtTheNearestStep) {
    ASSERT_TRUE(bus.running());
    const fs::path panel = device("intel_backlight", "raw", "7", "7");
    chmod((panel / "brightness").c_str(), 0444);
    startLogind();
    auto system = brightness();
    EXPECT_TRUE(state(*system, kPanel).setBrightness(0.5f));
    EXPECT_TRUE(state(*system, kPanel).setBrightness(1.7f));
    EXPECT_EQ(logindCalls(), (std::vector<std::string>{"backlight intel_backlight 4", "backlight intel_backlight 7"}));
    EXPECT_EQ(fileText(panel / "brightness"), "7");
}

TEST_F(BacklightTest, WithoutLogindTheFileIsWrittenAndAnUnwritableOneFailsTheSet) {
    ASSERT_TRUE(bus.running());
    const fs::path panel = device("intel_backlight", "raw", "1000", "1000");
    auto system = brightness();
    EXPECT_TRUE(state(*system, kPanel).setBrightness(0.25f));
    EXPECT_EQ(fileText(panel / "brightness"), "250");
    // The slider at its bottom dims the panel but never switches its light off.
    EXPECT_TRUE(state(*system, kPanel).setBrightness(0.0f));
    EXPECT_EQ(fileText(panel / "brightness"), "1");
    EXPECT_EQ(std::count_if(log.lines().begin(), log.lines().end(),
                            [](const std::string& line) { return line.starts_with("Backlight: logind did not set"); }),
              1);

    // Nothing writable under the name: the set fails with the error and the
    // shown value stays.
    fs::remove(panel / "brightness");
    fs::create_directory(panel / "brightness");
    loop.runPending();
    EXPECT_FALSE(state(*system, kPanel).setBrightness(0.75f));
    loop.runPending();
    EXPECT_TRUE(log.contains("SystemBrightness: SetBrightness failed for display 1, error: 21"));
    EXPECT_FLOAT_EQ(state(*system, kPanel).brightness, 0.0f);
}

TEST_F(BacklightTest, ASlowLogindHoldsASetASecondAtMostThenTheFileIsWritten) {
    ASSERT_TRUE(bus.running());
    const fs::path panel = device("intel_backlight", "raw", "100", "100");
    startLogind(3.0);
    auto system = brightness();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(state(*system, kPanel).setBrightness(0.4f));
    EXPECT_TRUE(state(*system, kPanel).setBrightness(0.3f));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    EXPECT_EQ(fileText(panel / "brightness"), "30");
}

} // namespace
} // namespace brillex::x11
