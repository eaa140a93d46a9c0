#pragma once

#include "ui/shell/QtPopover.h"

namespace brillex::macos {

// The Qt popover under the status item, as a menu-bar app's panel: on the
// space the user is on (also over a full-screen app), above the menu bar's
// windows, and staying when the program loses the focus, since the core
// closes it on clicks elsewhere.
class MacPopover : public QtPopover {
public:
    using QtPopover::QtPopover;

    void showRelativeTo(Rect bounds, StatusItemButton& anchor, RectEdge edge) override;
};

class MacPopoverFactory : public PopoverFactory {
public:
    explicit MacPopoverFactory(std::function<ViewEnvironment()> environment) : environment_(std::move(environment)) {}
    std::unique_ptr<Popover> makePopover() override { return std::make_unique<MacPopover>(environment_); }

private:
    std::function<ViewEnvironment()> environment_;
};

} // namespace brillex::macos
