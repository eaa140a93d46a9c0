#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Log.h"
#include "platform/linux/ramps/SavedRampGuard.h"
#include "support/TemporaryFolder.h"
#include "support/CalibratedCrtc.h"
#include "support/XvfbServer.h"

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;

pid_t deadProcess() {
    const pid_t pid = fork();
    if (pid == 0) _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}

class SavedRampGuardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!server().running()) GTEST_SKIP() << "Xvfb is not installed";
        auto first = test::calibrateFirstCrtc(server(), display);
        ASSERT_TRUE(first.has_value());
        crtc = first->crtc;
        calibrated = std::move(first->ramp);
        other = calibrated;
        for (auto& v : other.green) v = static_cast<std::uint16_t>(v / 3);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }
    static test::XvfbServer& server() {
        static test::XvfbServer instance;
        return instance;
    }
    SavedRamp leftBehind(int owner, int guardian = 0) const {
        return SavedRamp{DisplayString(display), crtc, owner, guardian, other};
    }

    test::TemporaryFolder folder;
    RampStore store{folder.path() + "/brillex"};
    Display* display = nullptr;
    CrtcId crtc = 0;
    CrtcRamp calibrated;
    CrtcRamp other;  // what the saved files hold, so that applying one shows
};

TEST_F(SavedRampGuardTest, AtStartOnlyWhatDeadRunsOfThisDisplayLeftIsRestored) {
    SavedRamp elsewhere = leftBehind(deadProcess());
    elsewhere.displayName = ":4242";
    ASSERT_TRUE(store.save(elsewhere));
    ASSERT_TRUE(store.save(leftBehind(getppid())));  // its program still runs
    ASSERT_TRUE(store.save(leftBehind(getpid())));   // this very process's own
    SavedRampGuard guard(store, DisplayString(display));
    EXPECT_EQ(guard.recoverAbandoned(), 0);
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_EQ(store.load().size(), 3u);

    const SavedRamp abandoned = leftBehind(deadProcess(), deadProcess());
    ASSERT_TRUE(store.save(abandoned));
    LogCapture log;
    EXPECT_EQ(guard.recoverAbandoned(), 1);
    EXPECT_EQ(readCrtcRamp(display, crtc), other);
    EXPECT_TRUE(log.contains("Restored the native ramp of CRTC " + std::to_string(crtc) + " on " +
                             DisplayString(display) + " (left by process " + std::to_string(abandoned.owner) + ")"));
    EXPECT_FALSE(fs::exists(store.pathOf(abandoned)));
    ASSERT_TRUE(writeCrtcRamp(display, crtc, calibrated));
}

TEST_F(SavedRampGuardTest, ACorruptForeignOrLinkedFileIsNeverApplied) {
    const SavedRamp corrupt = leftBehind(deadProcess());
    ASSERT_TRUE(store.save(corrupt));
    {
        std::fstream file(store.pathOf(corrupt), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(-20, std::ios::end);
        file.put('0');
    }
    const SavedRamp linked = leftBehind(deadProcess());
    ASSERT_TRUE(store.save(linked));
    fs::rename(store.pathOf(linked), folder.path() + "/target");
    fs::create_symlink(folder.path() + "/target", store.pathOf(linked));
    const SavedRamp foreign = leftBehind(deadProcess());
    ASSERT_TRUE(store.save(foreign));
    if (chown(store.pathOf(foreign).c_str(), 12345, 12345) != 0) fs::remove(store.pathOf(foreign));

    SavedRampGuard guard(store, DisplayString(display));
    EXPECT_EQ(guard.recoverAbandoned(), 0);
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_TRUE(fs::exists(store.pathOf(corrupt) + ".corrupt"));
}

TEST_F(SavedRampGuardTest, AKeptRampIsOnDiskUntilItIsRestored) {
    SavedRampGuard guard(store, DisplayString(display));
    guard.nativeRestored(crtc);  // nothing kept: nothing to do
    guard.keepNative(crtc, calibrated);
    const std::vector<RampStore::Entry> entries = store.load();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].saved.ramp, calibrated);
    EXPECT_EQ(entries[0].saved.owner, getpid());
    guard.nativeRestored(crtc);
    EXPECT_TRUE(store.load().empty());
}

} // namespace
} // namespace brillex::x11
