// Costs of the boost's hot paths: the scaled transfer table and one slider
// move on a boosted display (overlay colour, table write, published numbers).
#include <benchmark/benchmark.h>

#include "base/Log.h"
#include "boost/DisplayBoostState.h"
#include "boost/GammaTable.h"
#include "platform/sim/SimComputer.h"
#include "SliderMoves.h"

namespace {

using namespace brillex;

void BM_BoostedGammaTable(benchmark::State& state) {
    const auto saved = sim::SimGamma::identity();
    float factor = 2.1f;
    for (auto _ : state) {
        auto table = boostedGammaTable(saved.red, saved.green, saved.blue, factor);
        benchmark::DoNotOptimize(table);
        factor = factor == 2.1f ? 2.2f : 2.1f;
    }
}
BENCHMARK(BM_BoostedGammaTable);

void BM_SliderMove(benchmark::State& state) {
    LogCapture log; // keep the log lines off the terminal
    sim::SimComputer computer;
    Screen screen;
    screen.displayId = 1;
    screen.name = "Built-in Retina Display";
    screen.maxPotentialEDR = 16.0;
    computer.screens.add(screen, true);
    UnrestoredTables unrestored;
    DisplayBoostState boost(DisplayInfo{1, screen.name, true, 16.0, true}, computer.screens, computer.gamma,
                            computer.edrOutput, computer.loop, unrestored);
    boost.setBoostEnabled(true);
    bench::moveSlider(state, boost, log);
    benchmark::DoNotOptimize(boost.currentNits.get());
}
BENCHMARK(BM_SliderMove);

} // namespace

BENCHMARK_MAIN();
