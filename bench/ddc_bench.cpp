// One slider drag on a DDC/CI monitor, 100 moves over one second, two ways:
// through the program's queued source (libddcutil on the display's worker
// thread, the latest value winning) and through the ddcutil command run once
// per move, as a front end that shells out would. Counters: writes that
// reached the monitor, milliseconds from the last move until the monitor
// holds the last value, and the longest the main thread was held by one move.
//
// The monitor is the tests' fake (the LD_PRELOAD shim over /dev/i2c-5 in a
// private mount namespace, which the program enters by running itself again
// under unshare; root needed), so the bus answers at once: the figures are
// libddcutil's and the program's own, before any real monitor's delays.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "base/ManualLoop.h"
#include "controls/QueuedBrightnessSource.h"
#include "platform/linux/ddc/Ddcutil.h"
#include "platform/linux/ddc/ThreadWorker.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr int kMoves = 100;
const fs::path kFolder = "/tmp/brillex-ddc-bench";

float moveValue(int move) {
    return 0.2f + 0.6f * static_cast<float>(move) / (kMoves - 1);
}
int registerValue() {
    int current = -1;
    std::ifstream(kFolder / "register") >> current;
    return current;
}
std::size_t writesSoFar() {
    std::ifstream in(kFolder / "writes");
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}
void resetMonitor() {
    std::ofstream(kFolder / "register") << "50 100\n";
    std::ofstream(kFolder / "writes", std::ios::trunc);
}
double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void queuedDrag(benchmark::State& state) {
    if (const auto failure = brillex::ddc::Ddcutil::load()) {
        state.SkipWithError(failure->c_str());
        return;
    }
    const auto detection = brillex::ddc::Ddcutil::detect();
    if (detection.monitors.empty()) {
        state.SkipWithError("no fake monitor was detected");
        return;
    }
    for (auto _ : state) {
        resetMonitor();
        brillex::ManualLoop loop;
        auto source = brillex::QueuedBrightnessSource::make(
            std::make_unique<brillex::ddc::ThreadWorker>(loop, brillex::ddc::Ddcutil::device(detection.monitors[0])),
            loop, {});
        auto drive = [&, last = Clock::now()]() mutable {
            const auto now = Clock::now();
            loop.advance(std::chrono::duration<double>(now - last).count());
            last = now;
        };
        Clock::duration longest{};
        const auto began = Clock::now();
        for (int move = 0; move < kMoves; ++move) {
            std::this_thread::sleep_until(began + move * 10ms);
            const auto before = Clock::now();
            source->set(moveValue(move));
            drive();
            longest = std::max(longest, Clock::now() - before);
        }
        const auto lastMove = Clock::now();
        const int target = static_cast<int>(std::lround(moveValue(kMoves - 1) * 100));
        while (registerValue() != target && Clock::now() - lastMove < 10s) {
            drive();
            std::this_thread::sleep_for(1ms);
        }
        state.counters["settle_ms"] = milliseconds(Clock::now() - lastMove);
        state.counters["stall_max_ms"] = milliseconds(longest);
        state.counters["writes"] = static_cast<double>(writesSoFar());
    }
}

void commandDrag(benchmark::State& state) {
    for (auto _ : state) {
        resetMonitor();
        Clock::duration longest{};
        const auto began = Clock::now();
        for (int move = 0; move < kMoves; ++move) {
            std::this_thread::sleep_until(began + move * 10ms);
            const auto before = Clock::now();
            const std::string command = "ddcutil --bus 5 --noverify setvcp 10 " +
                                        std::to_string(std::lround(moveValue(move) * 100)) + " >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0) {
                state.SkipWithError("ddcutil setvcp failed");
                return;
            }
            longest = std::max(longest, Clock::now() - before);
        }
        // Each command returns once its write is on the bus: the last one ends the drag.
        state.counters["settle_ms"] = milliseconds(Clock::now() - (began + (kMoves - 1) * 10ms));
        state.counters["stall_max_ms"] = milliseconds(longest);
        state.counters["writes"] = static_cast<double>(writesSoFar());
    }
}

BENCHMARK(queuedDrag)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(commandDrag)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("BRILLEX_FAKE_MONITORS")) {
        // Into a mount namespace of our own, over the fake monitor.
        fs::create_directories(kFolder / "namespace");
        const std::string edid = std::string(BRILLEX_EDID_DATA) + "/edid-018.bin";
        const std::string fakes = "5=" + edid + ":" + (kFolder / "register").string();
        std::vector<std::string> words{"unshare", "-m", "--propagation", "private", "/bin/sh", BRILLEX_IN_NAMESPACE,
                                       (kFolder / "namespace").string(), "DP-1:5:" + edid, "env",
                                       "LD_PRELOAD=" BRILLEX_I2C_SHIM, "BRILLEX_FAKE_MONITORS=" + fakes,
                                       "BRILLEX_FAKE_WRITES=" + (kFolder / "writes").string(), argv[0]};
        for (int i = 1; i < argc; ++i) words.push_back(argv[i]);
        std::vector<char*> args;
        for (auto& word : words) args.push_back(word.data());
        args.push_back(nullptr);
        execvp("unshare", args.data());
        std::perror("unshare");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
