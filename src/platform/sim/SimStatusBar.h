#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/StatusBar.h"

namespace brillex::sim {

// The simulated status bar. It can be switched to make items without a
// button, as a crowded or unusual menu bar may.
class SimStatusBar : public StatusBar {
public:
    // What the status item made last shows, while it exists.
    struct Item {
        double length = 0.0;
        bool hasButton = true;
        std::optional<std::string> image;  // symbol name, when the button has one
        std::string accessibilityDescription;
        std::function<void()> action;
    };

    std::unique_ptr<StatusItem> statusItemWithLength(double length) override;

    // Whether items made from now on get a button (they do by default).
    void setGivesButton(bool givesButton) { givesButton_ = givesButton; }

    // The item made last; null when none exists.
    const Item* item() const;
    // Clicks the item's button; false when there is no item or no button.
    // A button without an action takes the click and does nothing.
    bool click();

    static constexpr Rect buttonBounds{0.0, 0.0, 24.0, 22.0};

private:
    bool givesButton_ = true;
    std::weak_ptr<Item> item_;
};

} // namespace brillex::sim
