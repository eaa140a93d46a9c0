#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "base/Log.h"
#include "platform/linux/ramps/SavedRampGuard.h"
#include "platform/linux/x11/XRampWriter.h"
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
        return SavedRamp{DisplayString(display), crtc, owner, guardian, other, {}, "x11"};
    }
    SavedRampGuard::Options unguarded() const {
        SavedRampGuard::Options options;
        options.displayName = DisplayString(display);
        return options;
    }
    int recover() {
        RampWriters writers;
        writers.add(XRampWriter::kName, std::make_unique<XRampWriter>());
        return SavedRampGuard::recoverAbandoned(store, writers, DisplayString(display), XRampWriter::kName);
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
    EXPECT_EQ(recover(), 0);
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_EQ(store.load().size(), 3u);

    const SavedRamp abandoned = leftBehind(deadProcess(), deadProcess());
    ASSERT_TRUE(store.save(abandoned));
    LogCapture log;
    EXPECT_EQ(recover(), 1);
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

    EXPECT_EQ(recover(), 0);
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_TRUE(fs::exists(store.pathOf(corrupt) + ".corrupt"));
}

// What the dead program last wrote is recorded; a CRTC that shows anything
// else was changed since, by the user or another program, and keeps it.
TEST_F(SavedRampGuardTest, RecoveryPutsBackOnlyWhatTheDeadProgramLeftAndSetsTheRestAside) {
    CrtcRamp boosted = calibrated;
    for (auto& v : boosted.red) v = static_cast<std::uint16_t>(std::min(65535, v * 2));
    CrtcRamp changed = calibrated;
    changed.blue.front() = 1234;
    struct Case {
        const char* what;
        CrtcRamp shows;        // what the CRTC holds at the next start
        CrtcId crtc;
        CrtcRamp expected;     // what it holds after it
        const char* asideAs;   // empty: the file is gone
    } cases[] = {
        {"boosted as left", boosted, crtc, other, ""},
        {"changed since", changed, crtc, changed, ".unusable"},
        {"a CRTC that is gone", boosted, crtc + 1000, boosted, ".unusable"},  // the server has no such CRTC
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeCrtcRamp(display, crtc, c.shows));
        SavedRamp saved = leftBehind(deadProcess());
        saved.crtc = c.crtc;
        saved.shown = {rampChecksum(calibrated), rampChecksum(boosted)};
        ASSERT_TRUE(store.save(saved));
        LogCapture log;
        recover();
        EXPECT_EQ(readCrtcRamp(display, crtc), c.expected);
        EXPECT_FALSE(fs::exists(store.pathOf(saved)));
        EXPECT_EQ(fs::exists(store.pathOf(saved) + c.asideAs), *c.asideAs != 0);
        if (*c.asideAs) {
            ASSERT_EQ(log.lines().size(), 1u);  // why, and where the file went
            EXPECT_NE(log.lines()[0].find("set aside as " + store.pathOf(saved) + c.asideAs), std::string::npos)
                << log.lines()[0];
            fs::remove(store.pathOf(saved) + c.asideAs);
        }
    }
    ASSERT_TRUE(writeCrtcRamp(display, crtc, calibrated));
}

TEST_F(SavedRampGuardTest, AKeptRampIsOnDiskWithWhatWasLastShownUntilItIsRestored) {
    SavedRampGuard guard(store, unguarded());
    guard.nativeRestored(crtc);  // nothing kept: nothing to do
    ASSERT_TRUE(guard.keepNative(crtc, calibrated));
    for (const CrtcRamp& shown : {other, calibrated, other}) guard.willShow(crtc, shown);
    const std::vector<RampStore::Entry> entries = store.load();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].saved.ramp, calibrated);
    EXPECT_EQ(entries[0].saved.owner, getpid());
    EXPECT_EQ(entries[0].saved.shown, (std::vector{rampChecksum(calibrated), rampChecksum(other)}));
    guard.nativeRestored(crtc);
    EXPECT_TRUE(store.load().empty());
}

// Without a guardian, a folder that is not private refuses the boost in one line.
TEST_F(SavedRampGuardTest, WithoutGuardianOrPrivateFolderNothingIsKeptAndTheReasonSaysWhatToDo) {
    fs::create_directories(folder.path() + "/elsewhere");
    fs::create_directory_symlink(folder.path() + "/elsewhere", store.directory());
    SavedRampGuard guard(store, unguarded());
    const std::optional<std::string> why = guard.whyUnprotected();
    ASSERT_TRUE(why.has_value());
    EXPECT_NE(why->find("it is a symbolic link"), std::string::npos) << *why;
    EXPECT_NE(why->find("mode 0700"), std::string::npos) << *why;
    EXPECT_FALSE(guard.keepNative(crtc, calibrated));
    EXPECT_TRUE(fs::is_empty(folder.path() + "/elsewhere"));
}

} // namespace
} // namespace brillex::x11
