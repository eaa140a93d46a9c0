// One slider move on the native X11 platform, end to end (boosted table
// computed, resampled to the CRTC's ramp, written, XSync), side by side with
// the peer users reach for, `xrandr --output OUTPUT --brightness`; and the
// program's start-up from exec to its icon docked in a tray. All on a private
// X server with a tray host.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <thread>
#include <variant>

#include "base/Log.h"
#include "base/ManualLoop.h"
#include "boost/DisplayBoostState.h"
#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/ramps/SavedRampGuard.h"
#include "platform/sim/SimEdrOutput.h"
#include "support/XvfbServer.h"
#include "SliderMoves.h"

// Xlib last: its macros clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

using namespace brillex;
using Clock = std::chrono::steady_clock;

test::XvfbServer& server() {
    static test::XvfbServer instance("1280x800x24");
    return instance;
}

// `guard`: what keeps the native ramp safe meanwhile; none for the bare move.
void slide(benchmark::State& state, x11::RampGuard* guard) {
    LogCapture log;
    auto opened = x11::X11Connection::open(server().display());
    if (!std::holds_alternative<std::unique_ptr<x11::X11Connection>>(opened)) {
        state.SkipWithError("no X display");
        return;
    }
    ManualLoop loop;
    x11::LinuxPlatform platform(std::move(std::get<0>(opened)), loop, x11::ScreenRules{server().output(), false},
                                guard);
    // The overlay's colour is not part of the move on X11: its window repaints only on a new colour.
    sim::SimEdrOutput overlays;
    const brillex::Screen screen = platform.screens.screens().at(0);
    UnrestoredTables unrestored;
    DisplayBoostState boost(DisplayInfo{*screen.displayId, screen.name, true, screen.maxPotentialEDR, true},
                            platform.screens, platform.transferTables, overlays, loop, unrestored);
    boost.setBoostEnabled(true);
    bench::moveSlider(state, boost, log);
    boost.setBoostLevel(0.0);
    boost.setBoostEnabled(false);
}

void BM_X11SliderMove(benchmark::State& state) { slide(state, nullptr); }
BENCHMARK(BM_X11SliderMove)->Unit(benchmark::kMicrosecond);

// The same with the saved file, which records each ramp the move writes.
void BM_X11SliderMoveSavedRamp(benchmark::State& state) {
    char folder[] = "/tmp/brillex-bench-XXXXXX";
    if (!mkdtemp(folder)) return state.SkipWithError("no temporary folder");
    x11::SavedRampGuard::Options options;
    options.displayName = server().display();
    {
        x11::SavedRampGuard guard(x11::RampStore(std::string(folder) + "/brillex"), options);
        slide(state, &guard);
    }
    std::system(("rm -rf " + std::string(folder)).c_str());
}
BENCHMARK(BM_X11SliderMoveSavedRamp)->Unit(benchmark::kMicrosecond);

void BM_XrandrBrightness(benchmark::State& state) {
    const std::string output = "xrandr --output " + server().output();
    const std::string commands[] = {output + " --brightness 1.5", output + " --brightness 1.4"};
    int turn = 0;
    for (auto _ : state) {
        if (server().run(commands[turn] + " 2>/dev/null") != 0) state.SkipWithError("xrandr failed");
        turn ^= 1;
    }
    server().run(output + " --brightness 1.0");
}
BENCHMARK(BM_XrandrBrightness)->Unit(benchmark::kMicrosecond);

// A mapped window of the process `pid` of tray-icon size, found under `window`.
bool hasDockedIcon(Display* display, Window window, long pid, Atom pidAtom) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable &&
        attributes.width >= 8 && attributes.width <= 64) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        bool ours = false;
        if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1) {
            ours = *reinterpret_cast<long*>(data) == pid;
        }
        if (data) XFree(data);
        // Docked: the tray host has taken it in, so it is no top-level window.
        Window root, parent, *children = nullptr;
        unsigned int n = 0;
        if (ours && XQueryTree(display, window, &root, &parent, &children, &n)) {
            if (children) XFree(children);
            if (parent != root) return true;
        }
    }
    Window root, parent, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &n)) return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i) found = hasDockedIcon(display, children[i], pid, pidAtom);
    if (children) XFree(children);
    return found;
}

void BM_StartupToTrayIcon(benchmark::State& state) {
    Display* display = XOpenDisplay(server().display().c_str());
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    char config[] = "/tmp/brillex-bench-XXXXXX";
    if (!mkdtemp(config)) state.SkipWithError("no scratch folder");
    for (auto _ : state) {
        const auto begin = Clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("DISPLAY", server().display().c_str(), 1);
            setenv("QT_QPA_PLATFORM", "xcb", 1);
            setenv("XDG_CONFIG_HOME", config, 1);
            setenv("XDG_RUNTIME_DIR", config, 1);
            setenv("DBUS_SESSION_BUS_ADDRESS", (std::string("unix:path=") + config + "/no-bus").c_str(), 1);
            unsetenv("WAYLAND_DISPLAY");
            if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
            execl(BRILLEX_PROGRAM, BRILLEX_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
        bool docked = false;
        while (!docked && Clock::now() - begin < std::chrono::seconds(20)) {
            docked = hasDockedIcon(display, DefaultRootWindow(display), pid, pidAtom);
            if (!docked) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        if (!docked) state.SkipWithError("the icon was never docked");
    }
    XCloseDisplay(display);
    std::error_code ignored;
    std::filesystem::remove_all(config, ignored);
}
BENCHMARK(BM_StartupToTrayIcon)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

// Prints the peer's time over the move's once both have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.iterations > 0) perIteration_[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto move = perIteration_.find("BM_X11SliderMove");
        const auto peer = perIteration_.find("BM_XrandrBrightness");
        if (move != perIteration_.end() && peer != perIteration_.end() && move->second > 0)
            std::printf("xrandr --brightness takes %.0fx as long as one slider move\n", peer->second / move->second);
    }

private:
    std::map<std::string, double> perIteration_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (!server().running()) {
        std::fprintf(stderr, "x11_bench: Xvfb is not installed\n");
        return 1;
    }
    server().run("xrandr --output " + server().output() + " --gamma 0.9:1.0:1.1");
    // A tray host for the start-up measurement.
    const pid_t trayer = fork();
    if (trayer == 0) {
        setenv("DISPLAY", server().display().c_str(), 1);
        if (!freopen("/dev/null", "w", stderr)) _exit(126);
        execlp("trayer", "trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24",
               "--SetDockType", "true", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    kill(trayer, SIGTERM);
    waitpid(trayer, nullptr, 0);
    return 0;
}
