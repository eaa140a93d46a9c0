#pragma once

#include <functional>
#include <set>
#include <vector>

#include "base/Observable.h"
#include "base/Signal.h"
#include "boost/DisplayInfo.h"
#include "boost/OwnedPublished.h"
#include "boost/ScreenServices.h"

namespace brillex {

// The displays attached right now, one record per numbered screen in the
// system's order, rebuilt at creation and on every screen change.
class DisplayManager : public ObservableObject {
public:
    static DisplayManager& shared();

    // Enumerates the screens at once and follows screen changes from then on.
    explicit DisplayManager(ScreenServices& screens);

    // Replaced as a whole by each enumeration.
    OwnedPublished<DisplayManager, std::vector<DisplayInfo>> displays{*this, {}};
    OwnedPublished<DisplayManager, std::set<DisplayId>> enabledDisplayIDs{*this, {}};
    // Run after each refresh that a screen change causes.
    std::function<void()> onBrightnessChanged;

    void refreshDisplays();
    void screensChanged();
    // The records of `displays` with extended-range headroom, in list order.
    std::vector<DisplayInfo> xdrDisplays() const;

private:
    ScreenServices& screens_;
    Subscription screenChanges_;
};

} // namespace brillex
