#pragma once

#include <memory>
#include <optional>
#include <string>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "boost/DisplayInfo.h"
#include "boost/EDROverlay.h"
#include "boost/ExtendedRangeOutput.h"
#include "boost/GammaTable.h"
#include "boost/OverlayWindow.h"
#include "boost/OwnedPublished.h"
#include "boost/UnrestoredTables.h"
#include "boost/ScreenServices.h"
#include "boost/TransferTables.h"

namespace brillex {

// The boost of one display: the chosen level, the numbers shown for it, and
// while it is on the overlay and the saved transfer table. The overlay and the
// table always receive the same factor edr = (multiplier - 1) * level + 1.
class DisplayBoostState : public ObservableObject {
public:
    static constexpr double baseNits = 500.0;
    static constexpr double boostStep = 0.05;

    // `unrestored`: where a saved table goes when its write-back is refused,
    // shared by every state of the manager.
    DisplayBoostState(DisplayInfo info, ScreenServices& screens, TransferTables& tables, ExtendedRangeOutput& output,
                      MainLoop& loop, UnrestoredTables& unrestored);
    // Releases the overlay and the saved table without writing it back:
    // switch the boost off first (BrightnessManager does).
    ~DisplayBoostState() override;

    const DisplayId id;
    const DisplayInfo displayInfo;

    // Written through setBoostEnabled / setBoostLevel only.
    OwnedPublished<DisplayBoostState, bool> isBoostEnabled{*this, false};
    OwnedPublished<DisplayBoostState, double> boostLevel{*this, 0.0};
    OwnedPublished<DisplayBoostState, int> boostPercent{*this, 0};
    OwnedPublished<DisplayBoostState, int> currentNits{*this, 500};
    OwnedPublished<DisplayBoostState, int> maxNitsAvailable;

    // Present only while the boost is on and its overlay could be made.
    std::unique_ptr<OverlayWindow> overlayWindow;
    std::unique_ptr<EDROverlay> overlayView;
    // The display's table as it was at switch-on; present only while on.
    std::optional<GammaTable> originalGammaTable;
    // Why the last switch-on was refused (the flag went back off at once);
    // empty when it was not.
    std::string refusal;

    // Stores the flag; a change runs the switch-on or switch-off sequence.
    void setBoostEnabled(bool enabled);
    // Stores the level (0.0 to 1.0; other values are brought into that range)
    // and re-applies the boost.
    void setBoostLevel(double level);
    // Pushes the level to the overlay, the transfer table and the numbers;
    // nothing while the boost is off or has no overlay.
    void applyBoost();
    // Step the level by 0.05 within 0.0 to 1.0 while the boost is on.
    void increaseBoost();
    void decreaseBoost();

    // The largest edr this display is driven to: 3.2, 1.6 or 1.0.
    double maxBoostMultiplier() const;
    bool isXDRCapable() const;
    double edr() const;

private:
    void enableBoost();
    // The platform cannot keep the display's table safe: nothing is changed
    // and the flag goes back off.
    void refuseBoost(std::string why);
    void disableBoost();

    ScreenServices& screens_;
    TransferTables& tables_;
    ExtendedRangeOutput& output_;
    MainLoop& loop_;
    UnrestoredTables& unrestored_;
};

} // namespace brillex
