#pragma once

#include <map>
#include <optional>

#include "boost/GammaTable.h"

namespace brillex {

// Saved tables whose write-back the system refused (the display was gone, or
// refused the write). Such a display still shows a boosted table: the saved
// one is kept, written back at the next chance, and taken instead of a fresh
// capture when the display is boosted again, so the brightened table is never
// mistaken for the display's own.
class UnrestoredTables {
public:
    void keep(DisplayId display, GammaTable table);
    // The kept table of `display`, removed from here; none when there is none.
    std::optional<GammaTable> take(DisplayId display);
    // Writes back every kept table the system now takes.
    void writeBack(TransferTables& tables);

    bool holds(DisplayId display) const { return kept_.count(display) != 0; }

private:
    std::map<DisplayId, GammaTable> kept_;
};

} // namespace brillex
