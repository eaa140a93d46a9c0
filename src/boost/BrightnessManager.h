#pragma once

#include <map>
#include <memory>
#include <vector>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "base/Signal.h"
#include "boost/DisplayBoostState.h"
#include "boost/DisplayManager.h"
#include "boost/ExtendedRangeOutput.h"
#include "boost/OwnedPublished.h"
#include "boost/ScreenServices.h"
#include "boost/TransferTables.h"
#include "boost/UnrestoredTables.h"

namespace brillex {

// Keeps one boost state per display with extended-range headroom, keyed by
// display id, and announces every change of any state as its own.
class BrightnessManager : public ObservableObject {
public:
    // Iterated in ascending display id.
    using StateMap = std::map<DisplayId, std::unique_ptr<DisplayBoostState>>;

    static BrightnessManager& shared();

    // Follows screen changes and synchronises at once.
    BrightnessManager(DisplayManager& displayManager, ScreenServices& screens, TransferTables& tables,
                      ExtendedRangeOutput& output, MainLoop& loop);

    OwnedPublished<BrightnessManager, StateMap> displayStates{*this, {}};
    DisplayManager& displayManager;

    // Re-enumerates; creates states for arriving displays, switches off and
    // drops those of displays that left; keeps the others as they are.
    void syncDisplayStates();
    void displaysChanged();
    // Every state to level 0.0, then off. The states stay.
    void disableAllBoosts();

    // The ids of the states held, ascending.
    std::vector<DisplayId> stateIds() const;
    // The state of `id`, or null.
    DisplayBoostState* state(DisplayId id) const;
    // The first state (ascending id) of a built-in display, or null.
    DisplayBoostState* builtInDisplayState() const;
    bool isMainDisplayBoosted() const;
    double mainDisplayBoostLevel() const;
    // Saved tables the displays refused to take back, until they do.
    const UnrestoredTables& unrestoredTables() const { return unrestored_; }

private:
    ScreenServices& screens_;
    TransferTables& tables_;
    ExtendedRangeOutput& output_;
    MainLoop& loop_;
    UnrestoredTables unrestored_;
    // One forwarding subscription per state held.
    std::map<DisplayId, Subscription> cancellables_;
    Subscription screenChanges_;
};

} // namespace brillex
