#pragma once

#include <benchmark/benchmark.h>

#include "base/Log.h"
#include "boost/DisplayBoostState.h"

namespace brillex::bench {

// The measured loop of a slider move: the level swings between a quarter and
// three quarters, so every iteration computes and writes a new table.
inline void moveSlider(benchmark::State& state, DisplayBoostState& boost, LogCapture& log) {
    double level = 0.25;
    for (auto _ : state) {
        boost.setBoostLevel(level);
        level = level == 0.25 ? 0.75 : 0.25;
        log.clear();
    }
}

} // namespace brillex::bench
