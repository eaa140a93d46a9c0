// One slider move on each Wayland display layer, end to end: the boosted
// table computed, resampled to the output's ramp and handed to the
// compositor, with the round trip that confirms it (wlroots: set_gamma and
// a sync; Mutter: SetCrtcGamma and the GetCrtcGamma that reads it back).
// Against the tests' own compositors; beside x11_bench's X11 figure.
#include <benchmark/benchmark.h>

#include "base/ManualLoop.h"
#include "boost/DisplayBoostState.h"
#include "platform/linux/wayland/MutterCrtcRamps.h"
#include "platform/linux/wayland/MutterScreens.h"
#include "platform/linux/wayland/WaylandScreens.h"
#include "platform/linux/wayland/WlrGammaRamps.h"
#include "platform/sim/SimEdrOutput.h"
#include "linux/wayland/DisplayLayer.h"
#include "support/MutterTestCompositor.h"
#include "support/QtEventLoop.h"
#include "support/WlrTestCompositor.h"
#include "SliderMoves.h"

namespace {

using namespace brillex;

// The built-in display's boost on `screens` and `tables`, switched on for the loop.
void moveSliderOn(benchmark::State& state, ScreenServices& screens, TransferTables& tables) {
    LogCapture log;
    ManualLoop loop;
    sim::SimEdrOutput overlays;
    const std::vector<Screen> listed = screens.screens();
    if (listed.empty()) {
        state.SkipWithError("no screen");
        return;
    }
    UnrestoredTables unrestored;
    DisplayBoostState boost(DisplayInfo{*listed[0].displayId, listed[0].name, true, listed[0].maxPotentialEDR, true},
                            screens, tables, overlays, loop, unrestored);
    boost.setBoostEnabled(true);
    bench::moveSlider(state, boost, log);
    boost.setBoostLevel(0.0);
    boost.setBoostEnabled(false);
}

void BM_WlrootsSliderMove(benchmark::State& state) {
    test::qtApplication();
    test::WlrTestCompositor compositor;
    auto opened = wayland::WaylandConnection::open();
    if (!compositor.running() || opened.index() != 0) {
        state.SkipWithError("the wlroots test compositor did not start");
        return;
    }
    test::DisplayLayer<wayland::WaylandScreens, wayland::WlrGammaRamps> layer(*std::get<0>(opened));
    moveSliderOn(state, layer.screens, layer.tables);
}
BENCHMARK(BM_WlrootsSliderMove)->Unit(benchmark::kMicrosecond);

void BM_MutterSliderMove(benchmark::State& state) {
    test::MutterTestCompositor compositor;
    if (!compositor.running()) {
        state.SkipWithError(compositor.why().c_str());
        return;
    }
    auto opened = wayland::MutterDisplayConfig::open();
    if (opened.index() != 0) {
        state.SkipWithError(std::get<std::string>(opened).c_str());
        return;
    }
    test::DisplayLayer<wayland::MutterScreens, wayland::MutterCrtcRamps> layer(*std::get<0>(opened));
    moveSliderOn(state, layer.screens, layer.tables);
}
BENCHMARK(BM_MutterSliderMove)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
