#pragma once

#include <memory>
#include <string>

#include "base/MainLoop.h"
#include "base/OwnedTasks.h"
#include "base/Observable.h"
#include "boost/ScreenServices.h"
#include "keys/OsdPanel.h"

namespace brillex {

// The program's own indicator for brightness-key steps: a panel near the
// bottom centre of the main screen that stays while steps keep coming and
// fades out 1.5 s after the last one.
class BrightnessOSD : public ObservableObject {
public:
    static constexpr double hideDelay = 1.5;
    static constexpr double fadeDuration = 0.2;
    // Luminance of an unboosted display: the bottom of the XDR bar.
    static constexpr double baseNits = 500.0;

    static BrightnessOSD& shared();
    BrightnessOSD(MainLoop& loop, ScreenServices& screens, OsdPanelService& panels);
    ~BrightnessOSD() override;

    // Plain presentation of the system brightness. Presented on a later turn
    // of the main loop.
    void show(double level, bool isXDR);
    // XDR presentation of a boost at `currentNits` out of `maxNits`.
    void showXDR(int currentNits, int maxNits);

    // Shows or updates the panel and restarts the hide timer. Main thread only.
    void present(double level, bool isXDR);
    // Fades the panel out and drops it.
    void hide();

    // What the panel shows; `isVisible` from the first show until the fade-out ends.
    Published<double> level{*this, 0.0};
    Published<bool> isXDR{*this, false};
    Published<bool> isVisible{*this, false};
    std::string text() const { return BrightnessOSDView{level, isXDR}.text(); }

private:
    void createWindow();
    void placeWindow();
    void fadeFinished();

    MainLoop& loop_;
    ScreenServices& screens_;
    OsdPanelService& panels_;
    std::unique_ptr<OsdPanel> window_;
    Timer hideTimer_;
    bool fading_ = false;
    // Queued shows do nothing once the OSD is gone.
    OwnedTasks tasks_{loop_};
};

} // namespace brillex
