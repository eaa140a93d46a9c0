#pragma once

#include <optional>
#include <set>
#include <vector>

#include "base/Signal.h"
#include "boost/ScreenServices.h"

namespace brillex::sim {

// Attached screens of the simulated computer. Changes post no notification
// until notifyScreenChange(), as a test script decides.
class SimScreens : public ScreenServices {
public:
    std::vector<Screen> screens() const override { return screens_; }
    bool isBuiltIn(DisplayId id) const override { return builtIn_.count(id) != 0; }
    DisplayId mainDisplay() const override;
    std::optional<Screen> mainScreen() const override;
    Subscription observeScreenChanges(std::function<void()> changed) override;

    // Appends a screen; a numbered one may be marked built in.
    void add(Screen screen, bool builtIn = false);
    // Removes the screen carrying `id`; false when there is none.
    bool remove(DisplayId id);
    // The screen carrying `id`, to be changed in place; null when absent.
    Screen* find(DisplayId id);
    bool isAttached(DisplayId id) const;

    void setMainDisplay(DisplayId id) { mainDisplay_ = id; }
    // Which screen the system calls main: none, or the one carrying an id.
    // Until set, it is the screen of the main display.
    void setMainScreen(std::optional<DisplayId> id) { mainScreenSet_ = true; mainScreen_ = id; }

    void notifyScreenChange() { changed_.emit(); }

private:
    std::vector<Screen> screens_;
    std::set<DisplayId> builtIn_;
    std::optional<DisplayId> mainDisplay_;
    bool mainScreenSet_ = false;
    std::optional<DisplayId> mainScreen_;
    Signal<> changed_;
};

} // namespace brillex::sim
