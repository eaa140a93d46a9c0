#pragma once

#include <functional>
#include <optional>

#include "base/MainLoop.h"
#include "base/Observable.h"
#include "base/Signal.h"
#include "controls/Appearance.h"
#include "controls/LibraryLoader.h"
#include "controls/ObjectRuntime.h"
#include "base/OwnedTasks.h"

namespace brillex {

// Night Shift and True Tone through the platform's private `CBBlueLightClient`
// and `CBTrueToneClient`, and Dark Mode through the effective appearance and
// SkyLight's appearance function. A missing class or selector leaves its
// feature unavailable; the enabled flags follow the last read or request.
class DisplayFeatures : public ObservableObject {
public:
    static DisplayFeatures& shared();

    DisplayFeatures(MainLoop& loop, ObjectRuntime& runtime, LibraryLoader& libraries, Appearance& appearance);

    Published<bool> isNightShiftEnabled{*this, false};
    // Only goes from false to true, at creation.
    Published<bool> isNightShiftAvailable{*this, false};
    Published<bool> isTrueToneEnabled{*this, false};
    Published<bool> isTrueToneAvailable{*this, false};
    Published<bool> isDarkModeEnabled{*this, false};
    // Whether the appearance function is there to write the appearance, as
    // found at creation; without it the Dark button is not offered.
    Published<bool> isDarkModeAvailable{*this, false};

    // Re-reads the three features (setting True Tone up again when it has no
    // client yet); the published values follow on a later turn.
    void refresh();
    void setNightShift(bool enabled);
    void setTrueTone(bool enabled);
    void setDarkMode(bool enabled);

private:
    void setUpNightShift();
    void setUpTrueTone();
    void readNightShift();
    void readTrueTone();
    void readDarkMode();
    // SkyLight's appearance function, opened anew on each call.
    std::optional<std::function<void(bool)>> appearanceFunction();

    ObjectRuntime& runtime_;
    LibraryLoader& libraries_;
    Appearance& appearance_;
    OwnedTasks tasks_;
    ObjectRef blueLightClient_;
    ObjectRef trueToneClient_;
    Subscription themeChanges_;
};

} // namespace brillex
