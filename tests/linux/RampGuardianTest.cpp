#include <gtest/gtest.h>

// Qt before Xlib, whose macros clash with its names.
#include "support/PrivateBus.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#include "platform/linux/x11/CrtcRamp.h"
#include "platform/linux/ramps/RampGuardian.h"
#include "support/TemporaryFolder.h"
#include "support/CalibratedCrtc.h"
#include "support/Patience.h"
#include "support/XvfbServer.h"

namespace brillex::x11 {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value ? std::atoi(value) : fallback;
}

// ramp_driver or the program, started with private runtime and settings
// folders against the test's X server.
struct Driver {
    pid_t pid = -1;
    int output = -1;
    std::string log;  // what it printed so far

    ~Driver() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (output >= 0) close(output);
    }
    void kill9() {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
    }
    int wait() {
        int status = 0;
        if (pid > 0) waitpid(pid, &status, 0);
        pid = -1;
        return status;
    }
    // Reads its output until `text` appears; false when it ends or the test's patience runs out first.
    bool readUntil(const std::string& text = "ready\n") {
        char buffer[4096];
        const auto deadline = Clock::now() + test::kPatience;
        while (Clock::now() < deadline && log.find(text) == std::string::npos) {
            pollfd fd{output, POLLIN, 0};
            if (poll(&fd, 1, 100) <= 0) continue;
            const ssize_t n = read(output, buffer, sizeof buffer);
            if (n <= 0) return false;
            log.append(buffer, static_cast<std::size_t>(n));
        }
        return log.find(text) != std::string::npos;
    }
    std::string rest() {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = read(output, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
        return text;
    }
};

class RampGuardianTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // Orphaned guardians come to this process, which can then see them end.
        prctl(PR_SET_CHILD_SUBREAPER, 1);
    }
    void SetUp() override {
        if (!server().running()) GTEST_SKIP() << "Xvfb is not installed";
        auto first = test::calibrateFirstCrtc(server(), display);
        ASSERT_TRUE(first.has_value());
        crtc = first->crtc;
        calibrated = std::move(first->ramp);
    }
    void TearDown() override {
        if (display) XCloseDisplay(display);
    }

    static test::XvfbServer& server() {
        static test::XvfbServer instance;
        return instance;
    }
    // A second monitor plugged in or pulled out; on Xvfb, which refuses both, the
    // output's mode set again. Whether one is plugged in now.
    static bool hotPlug(bool plugged) {
        if (!server().hasSpareOutputs()) {
            server().run("xrandr --output " + server().output() + " --mode 1280x800");
            return false;
        }
        if (plugged) return !server().removeOutput("DUMMY1");
        return !server().addOutput(1, "1024x768").empty();
    }

    std::unique_ptr<Driver> start(const std::vector<std::string>& arguments, const char* program = RAMP_DRIVER,
                                  const std::string& busAddress = {}) {
        int fds[2];
        if (pipe(fds) != 0) return nullptr;
        auto driver = std::make_unique<Driver>();
        driver->pid = fork();
        if (driver->pid == 0) {
            dup2(fds[1], STDOUT_FILENO);
            close(fds[0]);
            close(fds[1]);
            setenv("DISPLAY", server().display().c_str(), 1);
            setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
            setenv("XDG_CONFIG_HOME", (runtime.path() + "/config").c_str(), 1);
            setenv("XDG_SESSION_TYPE", "x11", 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            unsetenv("WAYLAND_DISPLAY");
            if (!busAddress.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", busAddress.c_str(), 1);
            const rlimit noCore{0, 0};  // crashes on purpose leave no core files
            setrlimit(RLIMIT_CORE, &noCore);
            dup2(STDOUT_FILENO, STDERR_FILENO);
            std::vector<char*> argv{const_cast<char*>(program)};
            for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            execv(program, argv.data());
            _exit(127);
        }
        close(fds[1]);
        driver->output = fds[0];
        return driver;
    }

    // The guardian that this process adopted when its starter's helper exited.
    static pid_t adoptedGuardian() {
        const std::string self = std::to_string(getpid());
        for (const auto& item : std::filesystem::directory_iterator("/proc")) {
            std::ifstream stat(item.path() / "stat");
            std::string line;
            if (!std::getline(stat, line)) continue;
            const std::size_t close = line.rfind(')');
            if (line.find(std::string("(") + RampGuardian::kProcessName + ")") == std::string::npos) continue;
            std::istringstream rest(line.substr(close + 2));
            std::string state, parent;
            rest >> state >> parent;
            if (parent == self) return std::stoi(item.path().filename());
        }
        return -1;
    }
    // Reaps it; false when it is still running after the test's patience.
    static bool ends(pid_t pid) {
        return test::eventually([pid] { return waitpid(pid, nullptr, WNOHANG) == pid; }, test::kPatience, milliseconds(2));
    }
    // How long until the CRTC holds the calibrated ramp again; none when it
    // does not within the test's patience.
    std::optional<milliseconds> calibratedAgain() {
        const auto begin = Clock::now();
        if (!test::eventually([this] { return readCrtcRamp(display, crtc) == calibrated; }, test::kPatience,
                              milliseconds(1)))
            return std::nullopt;
        return std::chrono::duration_cast<milliseconds>(Clock::now() - begin);
    }
    bool boosted() { return readCrtcRamp(display, crtc) != calibrated; }
    bool boostedEventually() { return test::eventually([this] { return boosted(); }, test::kPatience, milliseconds(5)); }
    int savedFiles() const {
        int count = 0;
        const std::string folder = runtime.path() + "/brillex";
        if (std::filesystem::exists(folder))
            for (const auto& item : std::filesystem::directory_iterator(folder)) count += item.path().extension() == ".ramp";
        return count;
    }

    test::TemporaryFolder runtime;
    Display* display = nullptr;
    CrtcId crtc = 0;
    CrtcRamp calibrated;
};

TEST_F(RampGuardianTest, EverySigkillDuringBoostLevelsSwitchOffAndScreenChangesIsUndoneByTheGuardian) {
    const int kills = fromEnvironment("BRILLEX_KILLS", 30);
    std::mt19937 random(std::random_device{}());
    int restored = 0;
    int leftBoosted = 0;
    bool plugged = false;
    int screenChanges = 0;
    milliseconds slowest{0};
    for (int i = 0; i < kills; ++i) {
        auto driver = start({"cycle"});
        ASSERT_TRUE(driver && driver->readUntil()) << driver->log;
        const pid_t guardian = adoptedGuardian();
        ASSERT_GT(guardian, 0);
        std::this_thread::sleep_for(milliseconds(random() % 120));
        if (i % 4 == 3) {
            const bool now = hotPlug(plugged);
            screenChanges += now != plugged || !server().hasSpareOutputs();
            plugged = now;
        }
        leftBoosted += readCrtcRamp(display, crtc) != calibrated;
        driver->kill9();
        const auto took = calibratedAgain();
        ASSERT_TRUE(took) << "kill " << i << " left the ramp changed";
        slowest = std::max(slowest, *took);
        EXPECT_TRUE(ends(guardian)) << "kill " << i;
        EXPECT_EQ(savedFiles(), 0) << "kill " << i;
        ++restored;
    }
    if (plugged) hotPlug(plugged);
    std::cout << "kill storm: " << kills << " SIGKILLs (" << leftBoosted << " while boosted, " << screenChanges
              << (server().hasSpareOutputs() ? " right after a monitor plugged or unplugged), "
                                             : " right after a mode re-set), ")
              << restored << " restored bit for bit, slowest "
              << slowest.count() << " ms\n";
}

TEST_F(RampGuardianTest, WhenProgramAndGuardianBothDieTheNextStartRestores) {
    const int runs = fromEnvironment("BRILLEX_BOTH_KILLS", 5);
    std::mt19937 random(std::random_device{}());
    int recovered = 0;
    int leftBoosted = 0;
    for (int i = 0; i < runs; ++i) {
        auto driver = start({"cycle"});
        ASSERT_TRUE(driver && driver->readUntil());
        const pid_t guardian = adoptedGuardian();
        ASSERT_GT(guardian, 0);
        std::this_thread::sleep_for(milliseconds(random() % 20));
        kill(guardian, SIGKILL);
        ASSERT_TRUE(ends(guardian));
        // Killed with a boost on, so that there is something to recover.
        test::eventually([this] { return boosted() && savedFiles() > 0; }, test::kPatience, milliseconds(1));
        driver->kill9();
        const bool saved = savedFiles() > 0;
        leftBoosted += boosted();

        auto next = start({"recover"});
        ASSERT_TRUE(next && next->readUntil());
        EXPECT_EQ(next->wait(), 0);
        EXPECT_EQ(readCrtcRamp(display, crtc), calibrated) << "run " << i;
        EXPECT_EQ(savedFiles(), 0);
        if (saved) {
            EXPECT_NE(next->log.find("Restored the native ramp of CRTC " + std::to_string(crtc) + " on " +
                                     server().display() + " (left by process "),
                      std::string::npos)
                << next->log;
            ++recovered;
        }
        const pid_t nextGuardian = adoptedGuardian();
        if (nextGuardian > 0) {
            EXPECT_TRUE(ends(nextGuardian));
        }
    }
    std::cout << "double kills: " << runs << " runs (" << leftBoosted << " left the display boosted), " << recovered
              << " saved ramps recovered at the next start\n";
}

TEST_F(RampGuardianTest, SoakLeavesNoGrowthAndAQuitGuardianGoesWithTheProgram) {
    const int moves = fromEnvironment("BRILLEX_SOAK_MOVES", 2000);
    const int toggles = fromEnvironment("BRILLEX_SOAK_TOGGLES", 200);
    auto driver = start({"soak", std::to_string(moves), std::to_string(toggles)});
    ASSERT_TRUE(driver && driver->readUntil());
    const pid_t guardian = adoptedGuardian();
    ASSERT_GT(guardian, 0);
    const std::string samples = driver->rest();
    EXPECT_EQ(driver->wait(), 0);
    EXPECT_TRUE(ends(guardian)) << "the guardian outlived a clean quit";
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_EQ(savedFiles(), 0);

    long rss[2] = {}, fds[2] = {}, xres[2] = {};
    ASSERT_EQ(std::sscanf(samples.c_str(), "first rss=%ld fds=%ld xres=%ld\nlast rss=%ld fds=%ld xres=%ld", &rss[0],
                          &fds[0], &xres[0], &rss[1], &fds[1], &xres[1]),
              6)
        << samples;
#ifndef __SANITIZE_ADDRESS__
    // AddressSanitizer's quarantine keeps freed memory resident; its leak check covers that build.
    EXPECT_LT(rss[1] - rss[0], 1024) << "resident kB";
#endif
    EXPECT_EQ(fds[1], fds[0]);
    EXPECT_EQ(xres[1], xres[0]);
    std::cout << "soak: " << moves << " moves, " << toggles << " toggles; resident " << rss[0] << " -> " << rss[1]
              << " kB, open files " << fds[0] << " -> " << fds[1] << ", X resources " << xres[0] << " -> "
              << xres[1] << "\n";
}

// A crash or an abort ends the program as surely as SIGKILL does.
TEST_F(RampGuardianTest, TheProgramKilledOrCrashedWithABoostOnGetsItsRampBackFromItsGuardian) {
    const int kills = fromEnvironment("BRILLEX_PROGRAM_KILLS", 6);
    std::mt19937 random(std::random_device{}());
    for (int i = 0; i < kills; ++i) {
        const int signal = std::vector{SIGKILL, SIGSEGV, SIGABRT}[static_cast<std::size_t>(i % 3)];
        auto program = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM);
        ASSERT_TRUE(boostedEventually()) << (program->readUntil("never"), program->log);
        const pid_t guardian = adoptedGuardian();
        ASSERT_GT(guardian, 0);
        EXPECT_EQ(savedFiles(), 1);
        std::this_thread::sleep_for(milliseconds(random() % 300));
        kill(program->pid, signal);
        const int status = program->wait();
        // A sanitizer build reports the crash itself and exits with a failure status.
        EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) != 0));
        EXPECT_TRUE(calibratedAgain()) << strsignal(signal);
        EXPECT_TRUE(ends(guardian));
        EXPECT_EQ(savedFiles(), 0);
    }
}

// `brillex ctl` switches the boost on, moves its level and switches it off
// in a loop while the program is killed at a random moment.
TEST_F(RampGuardianTest, TheProgramKilledWhileCtlMovesItsBoostIsRestoredByItsGuardian) {
    test::PrivateBus bus;
    if (!bus.running()) GTEST_SKIP() << "dbus-daemon is not installed";
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
    const std::string output = std::to_string(resources->outputs[0]);
    XRRFreeScreenResources(resources);
    const std::string ctl = std::string(BRILLEX_PROGRAM) + " ctl ";
    const std::string moves = "while :; do " + ctl + "boost all on; " + ctl + "level " + output + " 0.8; " + ctl +
                              "level " + output + " 0.3; " + ctl + "boost all off; done >/dev/null 2>&1";
    const int kills = fromEnvironment("BRILLEX_CTL_KILLS", 4);
    std::mt19937 random(std::random_device{}());
    int whileBoosted = 0;
    for (int i = 0; i < kills; ++i) {
        auto program = start({"--built-in", server().output()}, BRILLEX_PROGRAM, bus.address());
        ASSERT_TRUE(program->readUntil("Displays detected:")) << program->log;
        const pid_t guardian = adoptedGuardian();
        ASSERT_GT(guardian, 0);
        const pid_t mover = fork();
        if (mover == 0) {
            setpgid(0, 0);
            setenv("DBUS_SESSION_BUS_ADDRESS", bus.address().c_str(), 1);
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            execl("/bin/sh", "sh", "-c", moves.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_TRUE(boostedEventually()) << "ctl never boosted";
        std::this_thread::sleep_for(milliseconds(random() % 1500));
        whileBoosted += boosted();
        program->kill9();
        kill(-mover, SIGKILL);
        waitpid(mover, nullptr, 0);
        EXPECT_TRUE(calibratedAgain()) << "kill " << i;
        EXPECT_TRUE(ends(guardian));
        EXPECT_EQ(savedFiles(), 0);
    }
    std::cout << "program kills under ctl: " << kills << " (" << whileBoosted << " while boosted), all restored\n";
}

TEST_F(RampGuardianTest, AProgramWhoseGuardianDiedTooIsRestoredAtTheNextStartThenQuitsCleanly) {
    auto first = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM);
    ASSERT_TRUE(boostedEventually());
    const pid_t firstGuardian = adoptedGuardian();
    ASSERT_GT(firstGuardian, 0);
    kill(firstGuardian, SIGKILL);
    ASSERT_TRUE(ends(firstGuardian));
    first->kill9();
    ASSERT_TRUE(boosted());

    auto next = start({"--built-in", server().output()}, BRILLEX_PROGRAM);
    ASSERT_TRUE(next->readUntil("Displays detected:")) << next->log;
    const std::size_t restored = next->log.find("Restored the native ramp of CRTC " + std::to_string(crtc));
    ASSERT_NE(restored, std::string::npos) << next->log;
    EXPECT_LT(restored, next->log.find("Displays detected:")) << "restored before the screens are read";
    EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
    EXPECT_EQ(savedFiles(), 0);

    const pid_t guardian = adoptedGuardian();
    ASSERT_GT(guardian, 0);
    kill(next->pid, SIGTERM);
    EXPECT_EQ(next->wait(), 0);
    EXPECT_TRUE(ends(guardian)) << "the guardian outlived a clean quit";
}

} // namespace
} // namespace brillex::x11
