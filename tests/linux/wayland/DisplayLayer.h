#pragma once

#include <optional>
#include <utility>

#include "base/ManualLoop.h"
#include "boost/GammaTable.h"
#include "platform/linux/x11/LayoutScreens.h"
#include "platform/linux/x11/X11TransferTables.h"

namespace brillex::test {

// The program's display layer on one Wayland backend, as the tests and the
// benchmark build it: the backend's screens and CRTC ramps over its
// connection (`source`) and the transfer tables a boost writes through,
// without a ramp guard.
template <class Screens, class Ramps> struct DisplayLayer {
    template <class Source>
    explicit DisplayLayer(Source& source, x11::ScreenRules rules = {})
        : screens(source, loop, std::move(rules)), ramps(source), tables(ramps, nullptr) {}

    std::optional<GammaTable> capture(DisplayId id) { return captureGammaTable(id, tables); }
    void boost(DisplayId id, const GammaTable& saved, float factor) {
        applyGammaBoost(id, saved.red, saved.green, saved.blue, factor, tables);
    }
    bool restore(DisplayId id, const GammaTable& saved) {
        return restoreGammaTable(id, saved.red, saved.green, saved.blue, tables);
    }

    ManualLoop loop;
    Screens screens;
    Ramps ramps;
    x11::X11TransferTables tables;
};

} // namespace brillex::test
