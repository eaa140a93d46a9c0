#pragma once

#include <memory>

#include "app/StatusBar.h"

namespace brillex {

// Who closes a popover: with application-defined behaviour only the program
// does; the transient kinds close by themselves on clicks outside.
enum class PopoverBehavior { applicationDefined = 0, transient = 1, semitransient = 2 };

// The side of the anchor rectangle the popover opens from.
enum class RectEdge { minX = 0, minY = 1, maxX = 2, maxY = 3 };

// A panel attached to a status item that hosts the popover interface.
class Popover {
public:
    virtual ~Popover() = default;

    virtual void setBehavior(PopoverBehavior behavior) = 0;
    virtual void setAnimates(bool animates) = 0;
    // Makes a fresh root view of the popover interface the content; the
    // popover takes its size from the view's preferred size.
    virtual void hostContentView() = 0;

    virtual bool isShown() const = 0;
    // Opens the popover at `edge` of `bounds`, a rectangle in `anchor`'s coordinates.
    virtual void showRelativeTo(Rect bounds, StatusItemButton& anchor, RectEdge edge) = 0;
    // Closes it, as a click on its close control would; nothing when closed.
    virtual void performClose() = 0;
};

// Makes popovers.
class PopoverFactory {
public:
    virtual ~PopoverFactory() = default;

    [[nodiscard]] virtual std::unique_ptr<Popover> makePopover() = 0;
};

} // namespace brillex
