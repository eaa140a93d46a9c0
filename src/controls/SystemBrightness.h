#pragma once

#include <map>
#include <memory>
#include <optional>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "base/Signal.h"
#include "boost/ScreenServices.h"
#include "controls/BrightnessSources.h"
#include "controls/DisplayBrightnessState.h"
#include "controls/DisplayConnectServices.h"
#include "controls/LibraryLoader.h"

namespace brillex {

// Reads and sets the system (backlight) brightness of every attached display,
// one state per screen, each through the source chosen for its display: the
// private DisplayServices library, or one the platform has for that display.
class SystemBrightness : public ObservableObject {
public:
    using DisplayStates = std::map<DisplayId, std::shared_ptr<DisplayBrightnessState>>;

    static constexpr const char* kDisplayServicesPath =
        "/System/Library/PrivateFrameworks/DisplayServices.framework/DisplayServices";
    static constexpr const char* kGetFunctionName = "DisplayServicesGetBrightness";
    static constexpr const char* kSetFunctionName = "DisplayServicesSetBrightness";
    static constexpr double kObserveInterval = 0.5;

    // Loads DisplayServices, creates the states of the attached screens and
    // follows screen-configuration changes and the sources' changes.
    SystemBrightness(ScreenServices& screens, LibraryLoader& loader, const DisplayConnectServices& displayConnect,
                     BrightnessSources& sources, MainLoop& loop);
    static SystemBrightness& shared();

    // One state per screen seen by the last refresh, ascending by id.
    Published<DisplayStates> displayStates{*this, {}};
    const NativeLibrary* displayServicesHandle = nullptr;
    std::optional<DisplayBrightnessState::GetFunction> getBrightnessFunc;
    std::optional<DisplayBrightnessState::SetFunction> setBrightnessFunc;
    // The poll timer while observing.
    Timer observerTimer;

    // Brings displayStates in step with the attached screens; existing states
    // are kept as they are, new ones read once.
    void refreshDisplays();
    // Re-reads every state's value.
    void refreshBrightness();
    // Re-reads every 0.5 seconds until stopObserving().
    void startObserving();
    void stopObserving();

    // The main display's brightness, 1.0 while it has no state.
    float mainDisplayBrightness() const;

private:
    void loadDisplayServices(LibraryLoader& loader);
    std::shared_ptr<DisplayBrightnessState> makeState(DisplayId id, const std::string& name);
    void sourceChanged(DisplayId id, BrightnessSources::Change change);
    void read(DisplayBrightnessState& state) const;
    std::optional<float> readDisplayConnect() const;

    ScreenServices& screens_;
    const DisplayConnectServices& displayConnect_;
    BrightnessSources& sources_;
    MainLoop& loop_;
    Subscription screenChanges_;
    Subscription sourceChanges_;
};

} // namespace brillex
