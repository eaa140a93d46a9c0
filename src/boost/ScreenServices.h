#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/Signal.h"

namespace brillex {

// The operating system's display number; keys every per-display table.
using DisplayId = std::uint32_t;

// Global coordinates, origin at the bottom left.
struct Rect {
    double x = 0.0;
    double y = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// One attached screen as the system describes it.
struct Screen {
    // Absent when the system gives no number that reads as an unsigned 32-bit id.
    std::optional<DisplayId> displayId;
    std::string name;
    double maxPotentialEDR = 1.0;  // largest component value the screen can ever show
    double maxReferenceEDR = 1.0;  // headroom at the current brightness
    Rect frame;
    Rect visibleFrame;             // the frame without menu bar and dock
};

// What the program asks the platform about its screens.
class ScreenServices {
public:
    virtual ~ScreenServices() = default;

    // The attached screens in the system's order; never sorted by the program.
    virtual std::vector<Screen> screens() const = 0;
    virtual bool isBuiltIn(DisplayId id) const = 0;
    virtual DisplayId mainDisplay() const = 0;
    // The screen the system calls main, if any.
    virtual std::optional<Screen> mainScreen() const = 0;
    // Called on the main thread after a display is attached, removed or rearranged.
    [[nodiscard]] virtual Subscription observeScreenChanges(std::function<void()> changed) = 0;

    // The first screen in the list that carries `id`.
    std::optional<Screen> screenForDisplay(DisplayId id) const;
};

} // namespace brillex
