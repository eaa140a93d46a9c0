#include <gtest/gtest.h>

// Qt before Xlib, whose macros clash with its names.
#include "support/PrivateBus.h"
#include "support/ProgramRun.h"

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
#include <map>
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

    // `set` changes the environment further; an empty value unsets a variable.
    std::unique_ptr<Driver> start(const std::vector<std::string>& arguments, const char* program = RAMP_DRIVER,
                                  const std::string& busAddress = {},
                                  const std::map<std::string, std::string>& set = {}) {
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
            for (const auto& [name, value] : set) {
                if (value.empty()) unsetenv(name.c_str());
                else setenv(name.c_str(), value.c_str(), 1);
            }
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

    // The running guardian that this process adopted when its starter exited.
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
            // An earlier test's guardian that ended may wait here unreaped.
            if (parent == self && state != "Z") return std::stoi(item.path().filename());
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
    // Sends SIGSTOP and waits until the process has stopped.
    static void stop(pid_t pid) {
        kill(pid, SIGSTOP);
        test::eventually(
            [pid] {
                std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
                std::string line;
                return std::getline(stat, line) && line.substr(line.rfind(')') + 2, 1) == "T";
            },
            test::kPatience, milliseconds(1));
    }
    // Stops the driver at a moment its boost is on and its file saved.
    void stopWhileBoosted(Driver& driver) {
        test::eventually(
            [&] {
                stop(driver.pid);
                if (boosted() && savedFiles() > 0) return true;
                kill(driver.pid, SIGCONT);
                return false;
            },
            test::kPatience, milliseconds(1));
    }
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
        // Stopped with a boost on, so that there is something to recover, and
        // so that it cannot start a new guardian before it dies too.
        stopWhileBoosted(*driver);
        kill(guardian, SIGKILL);
        ASSERT_TRUE(ends(guardian));
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
    stop(first->pid);  // so that it cannot start another
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

namespace brillex::x11 {
namespace {

namespace fs = std::filesystem;

// The program as installed somewhere without its guardian program, or with
// a copy of it that a test can take away.
struct ProgramCopy {
    explicit ProgramCopy(const test::TemporaryFolder& folder, bool withGuardian) {
        fs::create_directories(folder.path() + "/bin");
        program = folder.path() + "/bin/brillex";
        std::error_code linked;
        fs::create_hard_link(BRILLEX_PROGRAM, program, linked);
        if (linked) fs::copy_file(BRILLEX_PROGRAM, program);
        guardian = folder.path() + "/bin/" + RampGuardian::kProcessName;
        if (withGuardian)
            fs::copy_file(fs::path(BRILLEX_PROGRAM).parent_path() / RampGuardian::kProcessName, guardian);
    }
    std::string program;
    std::string guardian;
};

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Places where the saved ramps cannot go: the guardian alone keeps the
// native ramp, and without a guardian the boost is refused in one line.
TEST_F(RampGuardianTest, AFolderThatIsNotPrivateLeavesTheGuardianAloneAndWithoutOneTheBoostIsRefused) {
    test::PrivateBus bus;
    if (!bus.running()) GTEST_SKIP() << "dbus-daemon is not installed";
    const std::string folder = runtime.path() + "/brillex";
    struct Case {
        const char* what;
        std::function<bool()> spoil;  // false: cannot be set up here
        std::map<std::string, std::string> environment;
    };
    const std::string tmp = runtime.path() + "/tmp";
    const std::string squatted = tmp + "/brillex-" + std::to_string(getuid());
    const std::vector<Case> cases = {
        {"a symbolic link", [&] {
             fs::create_directory(runtime.path() + "/elsewhere");
             fs::create_directory_symlink(runtime.path() + "/elsewhere", folder);
             return true;
         }, {}},
        {"a file", [&] { return std::ofstream(folder).good(); }, {}},
        {"mode 0777", [&] {
             fs::create_directory(folder);
             fs::permissions(folder, fs::perms::all);
             return true;
         }, {}},
        {"another user's, without XDG_RUNTIME_DIR", [&] {
             fs::create_directories(squatted);
             return chown(squatted.c_str(), 12345, 12345) == 0;
         }, {{"XDG_RUNTIME_DIR", ""}, {"TMPDIR", tmp}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder);
        fs::remove_all(runtime.path() + "/elsewhere");
        fs::remove_all(tmp);
        if (!c.spoil()) {
            std::cout << "skipped \"" << c.what << "\": needs root\n";
            continue;
        }
        // With its guardian: boosted, and restored after SIGKILL.
        {
            auto program = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM, {},
                                 c.environment);
            ASSERT_TRUE(boostedEventually()) << (program->readUntil("never"), program->log);
            ASSERT_TRUE(program->readUntil("the guardian alone keeps it")) << program->log;
            const pid_t guardian = adoptedGuardian();
            program->kill9();
            EXPECT_TRUE(calibratedAgain());
            EXPECT_TRUE(ends(guardian));
        }
        // Without: refused, in one line to ctl and one in the log.
        {
            test::TemporaryFolder installed;
            const ProgramCopy copy(installed, false);
            auto program = start({"--built-in", server().output()}, copy.program.c_str(), bus.address(), c.environment);
            ASSERT_TRUE(program->readUntil("Displays detected:")) << program->log;
            const auto [status, said] = test::ctlRun(bus.address(), "boost all on");
            EXPECT_EQ(status, 1);
            EXPECT_EQ(count(said, "\n"), 1) << said;
            EXPECT_NE(said.find(" was not boosted: its native ramp cannot be kept safe: "), std::string::npos) << said;
            EXPECT_NE(said.find("mode 0700"), std::string::npos) << said;
            EXPECT_FALSE(boosted());
            kill(program->pid, SIGTERM);
            program->readUntil("XDR Boost Disabled for display");
            EXPECT_EQ(program->wait(), 0);
            program->log += program->rest();
            EXPECT_EQ(count(program->log, "Boost refused for display"), 1) << program->log;
            EXPECT_EQ(count(program->log, "Gamma table saved"), 0) << program->log;
            EXPECT_EQ(count(program->log, "Cannot save"), 0) << program->log;
        }
        EXPECT_FALSE(boosted());
        if (fs::is_directory(runtime.path() + "/elsewhere")) {
            EXPECT_TRUE(fs::is_empty(runtime.path() + "/elsewhere"));  // nothing went through the link
        }
    }
    fs::remove_all(folder);
}

// The saved file is only the second copy: the guardian's own comes back
// whatever happened to the file.
TEST_F(RampGuardianTest, ASavedFileDeletedTruncatedOrEditedWhileBoostedDoesNotStopTheGuardian) {
    const std::vector<std::pair<const char*, std::function<void(const fs::path&)>>> damages = {
        {"deleted", [](const fs::path& file) { fs::remove(file); }},
        {"truncated", [](const fs::path& file) { fs::resize_file(file, 0); }},
        {"edited", [](const fs::path& file) {
             std::fstream edit(file, std::ios::in | std::ios::out | std::ios::binary);
             edit.seekp(40);
             edit.put('7');
         }},
    };
    for (const auto& [what, damage] : damages) {
        SCOPED_TRACE(what);
        auto program = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM);
        ASSERT_TRUE(boostedEventually()) << (program->readUntil("never"), program->log);
        ASSERT_EQ(savedFiles(), 1);
        const pid_t guardian = adoptedGuardian();
        for (const auto& item : fs::directory_iterator(runtime.path() + "/brillex"))
            if (item.path().extension() == ".ramp") damage(item.path());
        program->kill9();
        EXPECT_TRUE(calibratedAgain());
        EXPECT_TRUE(ends(guardian));

        // The next start finds nothing to adopt, and quits with the ramp as it is.
        auto next = start({"--built-in", server().output()}, BRILLEX_PROGRAM);
        ASSERT_TRUE(next->readUntil("Displays detected:")) << next->log;
        kill(next->pid, SIGTERM);
        EXPECT_EQ(next->wait(), 0);
        EXPECT_EQ(readCrtcRamp(display, crtc), calibrated);
        EXPECT_EQ(savedFiles(), 0);
        fs::remove_all(runtime.path() + "/brillex");
    }
}

// A guardian that dies is replaced at once and given every copy; the
// program killed afterwards still gets its ramp back.
TEST_F(RampGuardianTest, AGuardianKilledWhileBoostedIsReplacedAtOnceAndThenRestoresTheKilledProgram) {
    const int kills = fromEnvironment("BRILLEX_GUARDIAN_KILLS", 3);
    std::mt19937 random(std::random_device{}());
    milliseconds slowest{0};
    for (int i = 0; i < kills; ++i) {
        auto program = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM);
        ASSERT_TRUE(boostedEventually()) << (program->readUntil("never"), program->log);
        const pid_t first = adoptedGuardian();
        ASSERT_GT(first, 0);
        const auto killed = Clock::now();
        kill(first, SIGKILL);
        ASSERT_TRUE(ends(first));
        ASSERT_TRUE(program->readUntil(" took over 1 native ramps\n")) << program->log;
        slowest = std::max(slowest, std::chrono::duration_cast<milliseconds>(Clock::now() - killed));
        const pid_t second = adoptedGuardian();
        ASSERT_GT(second, 0);
        EXPECT_NE(program->log.find("Ramp guardian " + std::to_string(first) + " has ended; guardian " +
                                    std::to_string(second) + " took over 1 native ramps"),
                  std::string::npos)
            << program->log;
        std::this_thread::sleep_for(milliseconds(random() % 300));
        program->kill9();
        EXPECT_TRUE(calibratedAgain()) << "kill " << i;
        EXPECT_TRUE(ends(second));
        EXPECT_EQ(savedFiles(), 0);
    }
    std::cout << "guardian kills: " << kills << " guardians killed under a boost, each replaced (slowest "
              << slowest.count() << " ms to the new guardian's hold), every program killed next restored\n";
}

// Program and guardian both dead, the user sets a ramp of their own before
// the next start: that start leaves it alone and keeps the saved file aside.
TEST_F(RampGuardianTest, ARampChangedAfterBothDiedIsLeftAloneAtTheNextStart) {
    auto first = start({"--built-in", server().output(), "--boost-built-in"}, BRILLEX_PROGRAM);
    ASSERT_TRUE(boostedEventually()) << (first->readUntil("never"), first->log);
    const pid_t guardian = adoptedGuardian();
    ASSERT_GT(guardian, 0);
    const pid_t program = first->pid;
    stop(program);
    kill(guardian, SIGKILL);
    ASSERT_TRUE(ends(guardian));
    first->kill9();
    ASSERT_EQ(server().run("xrandr --output " + server().output() + " --gamma 1.2:1.2:1.2"), 0);
    const std::optional<CrtcRamp> users = readCrtcRamp(display, crtc);

    auto next = start({"--built-in", server().output()}, BRILLEX_PROGRAM);
    ASSERT_TRUE(next->readUntil("Displays detected:")) << next->log;
    EXPECT_NE(next->log.find("Leaving CRTC " + std::to_string(crtc) + " on " + server().display() +
                             " as it is: its ramp was changed after process " + std::to_string(program) +
                             " last wrote it"),
              std::string::npos)
        << next->log;
    EXPECT_EQ(readCrtcRamp(display, crtc), users);
    EXPECT_EQ(savedFiles(), 0);
    int asides = 0;
    for (const auto& item : fs::directory_iterator(runtime.path() + "/brillex")) asides += item.path().extension() == ".unusable";
    EXPECT_EQ(asides, 1);
    kill(next->pid, SIGTERM);
    EXPECT_EQ(next->wait(), 0);
    EXPECT_EQ(readCrtcRamp(display, crtc), users);
}

TEST_F(RampGuardianTest, WhenNoNewGuardianStartsEveryBoostIsSwitchedOff) {
    test::TemporaryFolder installed;
    const ProgramCopy copy(installed, true);
    auto program = start({"--built-in", server().output(), "--boost-built-in"}, copy.program.c_str());
    ASSERT_TRUE(boostedEventually()) << (program->readUntil("never"), program->log);
    const pid_t guardian = adoptedGuardian();
    ASSERT_GT(guardian, 0);
    fs::remove(copy.guardian);
    kill(guardian, SIGKILL);
    ASSERT_TRUE(program->readUntil("XDR Boost Disabled for display")) << program->log;
    EXPECT_NE(program->log.find("Ramp guardian " + std::to_string(guardian) +
                                " has ended and no new one starts (cannot run " + copy.guardian +
                                ": No such file or directory); switching every boost off"),
              std::string::npos)
        << program->log;
    EXPECT_TRUE(calibratedAgain());
    EXPECT_EQ(savedFiles(), 0);
    kill(program->pid, SIGTERM);
    EXPECT_EQ(program->wait(), 0);
}

} // namespace
} // namespace brillex::x11
