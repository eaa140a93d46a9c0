#pragma once

#include <functional>
#include <memory>
#include <string>

#include "boost/ScreenServices.h"

namespace brillex {

// The clickable face of a status-bar item.
class StatusItemButton {
public:
    virtual ~StatusItemButton() = default;

    // Shows the platform's symbol image of that name (any sun-shaped template
    // image where the platform lacks the symbol set); with no such image the
    // button stays without one.
    virtual void setImage(const std::string& symbolName, const std::string& accessibilityDescription) = 0;
    // Runs on the main thread for each click on the button. The item keeps the
    // action until it is replaced or the item is destroyed.
    virtual void setAction(std::function<void()> action) = 0;
    // The button's own rectangle, in its own coordinates; popovers anchor to it.
    virtual Rect bounds() const = 0;
};

// One item in the system's status bar (menu bar, tray). Destroying it removes it.
class StatusItem {
public:
    virtual ~StatusItem() = default;

    // The item's button; null when the system gave the item none.
    virtual StatusItemButton* button() = 0;
};

// The system's status bar.
class StatusBar {
public:
    // The length that makes the item as wide as its content.
    static constexpr double variableLength = -1.0;

    virtual ~StatusBar() = default;

    [[nodiscard]] virtual std::unique_ptr<StatusItem> statusItemWithLength(double length) = 0;
};

} // namespace brillex
